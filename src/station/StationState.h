// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/OperatorSettings.h"
#include "config/StationSetup.h"
#include "records/DayState.h"

namespace quillon {

// The owner of the station's state for a run: made once by the program (or
// a test); each workflow is handed only the parts it needs.
struct StationState {
    StationSetup setup;
    Calibration calibration;
    DayState day;
    OperatorSettings settings;
};

} // namespace quillon
