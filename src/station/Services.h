// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/SharedVars.h"
#include "instrument/Cub5Encoder.h"
#include "sound/Play.h"
#include "station/BusyGate.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

namespace quillon {

// What every screen of the program works with: the shared records and the
// program's contacts with the world. Made once by the program (or a test).
struct Services {
    SharedVars& vars;
    Clock& clock;
    OperatorMessages& messages;
    Sounds& sounds;
    Cub5Encoder& encoder;
    BusyGate& gate;
};

} // namespace quillon
