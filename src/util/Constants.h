// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>

namespace quillon {

// Pi to eleven decimals: the sun's position and the station's coordinates
// in radians are computed with this value, so that a mu or an ozone value
// agrees to its last digit with the values in the station's archive.
inline constexpr double kPi = 3.14159265359;

// The plus-minus sign before a spread (byte 177 in the station's files).
inline constexpr QChar kPlusMinus = QChar(0xB1);

} // namespace quillon
