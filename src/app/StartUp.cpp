// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "calibration/UnappliedChanges.h"
#include "config/GetInfo.h"
#include "records/DayFile.h"

#include <QDir>
#include <cmath>
#include <cstdio>

namespace quillon {

StartUp::StartUp(StationState& state, Clock& clock, OperatorMessages& messages,
                 StartUpScreens& screens, Cub5Encoder& encoder)
    : state_(state), clock_(clock), messages_(messages), screens_(screens), encoder_(encoder) {}

Result<std::optional<ArchiveSite>> StartUp::LoadConfiguration() {
    StationSetup& setup = state_.setup;
    if (!setup.StationCode.isEmpty()) {
        return std::optional<ArchiveSite>();
    }
    setup.EncoderInUse = false;
    if (const Result<void> read = ReadConfiguration(setup, state_.calibration, messages_); !read) {
        return read.error();
    }
    ArchiveSite site = ReadArchiveSite(setup.ConfigDir);
    WriteCommentText(setup, state_.day, clock_, messages_, site.startComment);
    WriteProvenanceComment(setup, state_.day, state_.calibration, clock_, messages_);
    NoticeUnappliedChanges();
    if (!site.warning.isEmpty()) {
        // Once a start, in the day file and for whoever started the program.
        std::fprintf(stderr, "quillon: %s\n", qPrintable(site.warning));
        WriteCommentText(setup, state_.day, clock_, messages_, site.warning);
    }
    return std::optional<ArchiveSite>(std::move(site));
}

void StartUp::NoticeUnappliedChanges() {
    // A kill between a change's record and inst.cfg leaves the record of a
    // change that is not in force: the operator decides whether to make it
    // again, and the day file says which values were used meanwhile.
    for (const UnappliedChange& change : FindUnappliedChanges(state_.setup, state_.calibration)) {
        QString text = change.text;
        text[0] = text[0].toUpper();
        WriteCommentText(state_.setup, state_.day, clock_, messages_, text);
        messages_.Show(text + u'.', QStringLiteral("Calibration change not applied"));
    }
}

bool StartUp::Run() {
    const StationSetup& setup = state_.setup;
    state_.day.LocalDate = std::floor(LocalStandardTime(setup, clock_.Now()));
    screens_.ShowParameters(setup, state_.calibration);
    // The screen paints (a window manager draws it only from the event
    // loop) while the operator's keys wait for the main screen.
    clock_.WaitPainting(kParameterSeconds);
    screens_.HideParameters();
    CheckLampTestsDue(state_.calibration, clock_.Now(), screens_);
    if (setup.EncoderInUse) {
        if (const Result<void> opened = encoder_.OpenEncoderPort(); !opened) {
            messages_.Show(opened.error().message + QStringLiteral("\nSystem is stopped"),
                           QStringLiteral("Encoder Port Error"));
            return false;
        }
    }
    OpenDayFile(setup, state_.day, clock_, messages_);
    state_.settings.ComputerTimed = 0;
    state_.settings.AudioPrompts = 1;
    return true;
}

} // namespace quillon
