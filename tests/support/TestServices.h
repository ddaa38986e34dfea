// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/Services.h"
#include "station/StationState.h"
#include "support/FakeClock.h"
#include "support/FakeCounterLink.h"
#include "support/Recorders.h"

namespace quillon::test {

// The program's services made of fakes: the fake clock, a fake counter on
// it, recorded messages and sounds. The encoder's failure action records
// instead of ending the test.
struct TestServices {
    explicit TestServices(StationState& vars, DateTimeValue now = 0)
        : state(vars), clock(now), link(clock), sounds(player),
          encoder(vars.setup, link, clock, messages), services{vars.setup, vars.calibration,
                                                               vars.day,   vars.settings,
                                                               clock,      messages,
                                                               sounds,     encoder,
                                                               gate} {
        encoder.SetFailureAction([this] { ++programEnds; });
    }
    // Configures the encoder on a (fake) port and opens it.
    bool OpenEncoder(const QString& port = QStringLiteral("/dev/ttyUSB0")) {
        state.setup.EncoderPort = port;
        state.setup.EncoderInUse = true;
        return encoder.OpenEncoderPort().ok();
    }

    StationState& state;
    FakeClock clock;
    FakeCounterLink link;
    RecordingMessages messages;
    RecordingPlayer player;
    Sounds sounds;
    Cub5Encoder encoder;
    BusyGate gate;
    Services services;
    int programEnds = 0;
};

} // namespace quillon::test
