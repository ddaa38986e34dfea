// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/OperatorSettings.h"
#include "config/StationSetup.h"
#include "records/DayState.h"

namespace quillon {

// "Main Form: Version date 07Apr06:Carddatefixed" followed by a number as
// text with its leading blank: the revision at start-up, then the count of
// encoder readings shown.
QString MainTitle(long count);

// Headline at start-up and after an observation: the day of year with three
// digits ("Day of Year:083 24 Mar 2006").
QString StartUpHeadline(const StationSetup& setup, DateTimeValue clock);

// Headline at a new local day: the day of year without leading zeros.
QString NewDayHeadline(const StationSetup& setup, DateTimeValue clock);

// The middle summary label: AD zenith and CD zenith lines joined by a blank.
QString ZenithSummaryLine(const DayState& day);

// The speed-mode button: toggles ComputerTimed and gives the button caption
// and the mode text to show.
struct SpeedModeText {
    QString buttonCaption;
    QString promptText;
};
SpeedModeText ToggleSpeedMode(OperatorSettings& settings);

} // namespace quillon
