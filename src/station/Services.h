// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/OperatorSettings.h"
#include "config/StationSetup.h"
#include "instrument/Cub5Encoder.h"
#include "records/DayState.h"
#include "sound/Play.h"
#include "station/BusyGate.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

namespace quillon {

// What every screen of the program works with: the station's state, each
// part by its owner, and the program's contacts with the world. Made once
// by the program (or a test).
struct Services {
    const StationSetup& setup;
    Calibration& calibration;
    DayState& day;
    OperatorSettings& settings;
    Clock& clock;
    OperatorMessages& messages;
    Sounds& sounds;
    Cub5Encoder& encoder;
    BusyGate& gate;
};

} // namespace quillon
