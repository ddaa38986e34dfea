// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"
#include "ozone/OzoneCalc.h"

namespace quillon {

// One completed observation reduced to what its OBS record and result
// display carry. The observation driver and `quillon-cli reduce` both use
// this, so a reprocessed day matches what the station computed.
struct ReductionInput {
    QString type;              // "ADDSGQP", "CDZC", "CCZB", "ADRMFI" ...
    DateTimeValue meanUtc = 0; // mean time of the readings
    // In measuring order: first, second, first, second, first wavelength.
    std::array<double, 5> readings{};
    std::array<double, 5> deviations{};
};

struct ReductionResult {
    ObsMeansResult means;
    double n1 = 0;
    double n2 = 0;
    double spread = 0; // R-dial units
    double mu = kMuNotCalculated;
    double ozone = kOzoneNotCalculated;
    double ozoneSpread = kSpreadNotCalculated;
    bool calculated = false; // an ozone value came out
};

ReductionResult ReduceObservation(const StationSetup& setup, const Calibration& calibration,
                                  const ReductionInput& input);

// The observation types that an OBS record may carry, in the menu's order.
QStringList ReducibleTypes();

} // namespace quillon
