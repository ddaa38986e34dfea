// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "config/GetInfo.h"
#include "records/DayFile.h"

#include <QDir>
#include <cmath>
#include <cstdio>

namespace quillon {

StartUp::StartUp(SharedVars& vars, Clock& clock, OperatorMessages& messages,
                 StartUpScreens& screens, Cub5Encoder& encoder)
    : vars_(vars), clock_(clock), messages_(messages), screens_(screens), encoder_(encoder) {}

void StartUp::LoadConfiguration() {
    vars_.DialogChoice = 0;
    vars_.EncoderError.clear();
    if (!vars_.StationCode.isEmpty()) {
        return;
    }
    vars_.EncoderInUse = false;
    ReadConfiguration(vars_, messages_);
    WriteComment(vars_, clock_, messages_);
    WriteProvenanceComment(vars_, clock_, messages_);
    if (!vars_.ArchiveSiteWarning.isEmpty()) {
        // Once a start, in the day file and for whoever started the program.
        std::fprintf(stderr, "quillon: %s\n", qPrintable(vars_.ArchiveSiteWarning));
        WriteCommentText(vars_, clock_, messages_, vars_.ArchiveSiteWarning);
    }
}

bool StartUp::Run() {
    vars_.LocalDate = std::floor(LocalStandardTime(vars_, clock_.Now()));
    screens_.ShowParameters(vars_);
    // The screen paints (a window manager draws it only from the event
    // loop) while the operator's keys wait for the main screen.
    clock_.WaitPainting(kParameterSeconds);
    screens_.HideParameters();
    CheckLampTestsDue(vars_, clock_.Now(), screens_);
    if (vars_.EncoderInUse) {
        QString error;
        if (!encoder_.OpenEncoderPort(&error)) {
            messages_.Show(error + QStringLiteral("\nSystem is stopped"),
                           QStringLiteral("Encoder Port Error"));
            return false;
        }
    }
    OpenDayFile(vars_, clock_, messages_);
    vars_.ComputerTimed = 0;
    vars_.AudioPrompts = 1;
    vars_.DialogChoice = 0;
    return true;
}

} // namespace quillon
