// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/StationSetup.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "util/Answers.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <optional>

namespace quillon {

// What the browser of other days shows and asks.
class OtherDaysScreens {
public:
    virtual ~OtherDaysScreens() = default;
    // "Explanation of process to make summary files.": on, or back.
    virtual ContinueOrEscape Explain() = 0;
    // The drive and directory chooser: the chosen directory (ending in
    // "/"), or nothing to go back to the top level.
    virtual std::optional<QString> ChooseDirectory() = 0;
    // The day list of a directory, until the operator backs up; its
    // choices are handed to the browser.
    virtual void RunDayList(const QString& directory, const DayFileList& list) = 0;
};

// The browser of other days: the explanation, then the chooser and the
// day list in turn (backing up from the list returns to the chooser, and
// from the chooser to the top level). The screens only show and ask.
class OtherDaysBrowser {
public:
    OtherDaysBrowser(const StationSetup& setup, const Clock& clock, OperatorMessages& messages,
                     OtherDaysScreens& screens);

    void Run();

    // A day chosen in the list: its summary lines (ADDS, AD zenith, CDDS)
    // and the name of the summary file that Make would write.
    struct DayView {
        QStringList lines;
        QString summaryFile;
    };
    DayView Choose(const QString& directory, const DayFileEntry& day);
    // "Make &Summary File" for the day; false when it could not be made
    // (the operator has been told).
    bool MakeSummaryFile(const QString& directory, const DayFileEntry& day);

private:
    const StationSetup& setup_;
    const Clock& clock_;
    OperatorMessages& messages_;
    OtherDaysScreens& screens_;
};

} // namespace quillon
