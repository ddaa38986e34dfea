// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/ArchiveSite.h"
#include "config/LampTests.h"
#include "instrument/Cub5Encoder.h"
#include "station/StationState.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

namespace quillon {

// The screens that start-up shows while it runs.
class StartUpScreens : public LampOverDueScreen {
public:
    // Fills the parameter screen and shows it without waiting.
    virtual void ShowParameters(const StationSetup& setup, const Calibration& calibration) = 0;
    virtual void HideParameters() = 0;
};

// The program's start-up, from reading the configuration to the day file
// and its summary. The main screen runs it in its load handler and then
// fills its own labels and starts its timer.
class StartUp {
public:
    StartUp(StationState& state, Clock& clock, OperatorMessages& messages, StartUpScreens& screens,
            Cub5Encoder& encoder);

    // Reads the configuration (once per run: skipped when the station code
    // is already known) and appends the archive-site comment to the day file.
    // The archive site read, for the transfer (nothing on a second call);
    // or the fatal file error when a mandatory file cannot be used.
    Result<std::optional<ArchiveSite>> LoadConfiguration();

    // Steps after the configuration: local date, the 3-second parameter
    // screen, the lamp-test overdue check, the encoder port, the day file
    // and its summary. False (the operator told why) when the encoder port
    // cannot be opened: the station cannot observe without its dial.
    bool Run();

    // Seconds the parameter screen stays up.
    static constexpr float kParameterSeconds = 3.0f;

private:
    // Shows and records each calibration change whose record was written
    // but whose values never reached inst.cfg.
    void NoticeUnappliedChanges();

    StationState& state_;
    Clock& clock_;
    OperatorMessages& messages_;
    StartUpScreens& screens_;
    Cub5Encoder& encoder_;
};

} // namespace quillon
