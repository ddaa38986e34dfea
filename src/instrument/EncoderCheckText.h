// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillon {

// The instructions of the encoder zero and span checks, in order.
QStringList EncoderZeroLines();
QStringList EncoderSpanLines();

} // namespace quillon
