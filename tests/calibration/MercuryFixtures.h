// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mercury lamp test's entries as the operator types them.
#include "calibration/MercuryTest.h"

#include <utility>
#include <vector>

namespace quillon::test {

// Upper/lower pairs in the reading boxes, with both temperatures.
inline MercuryEntries Pairs(const std::vector<std::pair<double, double>>& pairs,
                            double start = 20.0, double end = 21.0) {
    MercuryEntries e;
    for (size_t k = 0; k < pairs.size(); ++k) {
        e.boxes[2 * k] = pairs[k].first;
        e.boxes[2 * k + 1] = pairs[k].second;
    }
    e.startTemperature = start;
    e.endTemperature = end;
    return e;
}

} // namespace quillon::test
