// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>

namespace quillon {

// Pi as the station's programs have always taken it: the sun's position and
// the station's coordinates in radians are computed with this value.
inline constexpr double kPi = 3.14159265359;

// The plus-minus sign before a spread (byte 177 in the station's files).
inline constexpr QChar kPlusMinus = QChar(0xB1);

} // namespace quillon
