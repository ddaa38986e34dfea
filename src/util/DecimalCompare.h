// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon {

// Readings are typed and recorded to a tenth or a hundredth: limits are
// compared on the decimal values, so that 48.7 - 48.2 is the 0.5 it is,
// not 0.50000000000001, and a spread of exactly the limit is within it.
inline bool DecimalAbove(double value, double limit) {
    return value > limit + 1e-9;
}
inline bool DecimalBelow(double value, double limit) {
    return value < limit - 1e-9;
}

} // namespace quillon
