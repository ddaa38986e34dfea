// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/StationSetup.h"
#include "records/DayFileReader.h"
#include "records/DayState.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <QStringList>
#include <array>

namespace quillon {

// How much the day summary produces: short texts for the main screen, long
// texts for the summary screen, or long texts and the printable file.
enum class SummaryDetail { Brief, Full, WithFile };

// The four summary texts: ADDS, AD zenith, CDDS and CD zenith.
struct SummaryTexts {
    QString adds;
    QString adZenith;
    QString cdds;
    QString cdZenith;
    // The day was read and the texts summarise it (also when its summary
    // file could not then be written).
    bool summarised = false;
};

// Summarises the day file of local date `dateText` ("MM/DD/YYYY") found in
// `directory` into per-class ozone averages and, with file, writes the
// summary file "S" + YY + DDD + "." + suffix beside it. `texts.cdZenith` is
// left as the caller passes it unless a CD zenith class is summarised.
// A refused day file is reported to the operator.
// Returns false when the file was refused or could not be written.
bool SumToDay(const StationSetup& setup, const Clock& clock, const QString& dateText,
              SummaryDetail detail, const QString& directory, SummaryTexts& texts,
              OperatorMessages& messages);

// The same summary of a day file in any directory, as the browser of other
// days makes it: the date checked first (" Will not convert to DOY"), its
// own pictures, three classes and texts, "MISC:SumAday".
bool SumAday(const StationSetup& setup, const Clock& clock, const QString& dateText,
             SummaryDetail detail, const QString& directory, SummaryTexts& texts,
             OperatorMessages& messages);

// What sets the two summaries apart; the summary itself is one.
struct SummaryStyle {
    QString boxTitle;
    bool checkDayOfYear = false; // the day-of-year check before anything is read
    const char16_t* muPicture = u"#0.000";
    // By class (ADDS, AD zenith, CDDS, CD zenith).
    std::array<const char16_t*, 4> ozonePictures = {u"##0.0", u"##0.0", u"##0.0", u"##0.0"};
    std::array<const char16_t*, 4> spreadPictures = {u"#0.0", u"#0.0", u"#0.0", u"#0.0"};
    int classes = 4;                       // 3: no CD zenith class
    bool instrumentNumberInHeader = false; // " ###" of the number, not the suffix
    bool noAveragesLine = false;           // "No averages for DD MMM/YYYY"
};
const SummaryStyle& TodaysSummary();
const SummaryStyle& OtherDaysSummary();

// The summary's pure parts, for both twins.
struct ClassSums {
    int count = 0;
    double ozone = 0;
    double ozoneSquared = 0;
    double seconds = 0;
    float inverseMu = 0;
};
struct ClassSummary {
    QString text;     // the screen's text at the detail asked for
    QString fileLine; // the summary file's line
};
int SummaryClassOf(const QString& type, const SummaryStyle& style);
std::array<ClassSums, 4> SumClasses(const QList<DayObservation>& observations,
                                    const SummaryStyle& style);
ClassSummary SummariseClass(int cls, const ClassSums& sums, SummaryDetail detail,
                            const SummaryStyle& style);
QString SummaryListingLine(const DayObservation& observation, const SummaryStyle& style);
QStringList SummaryFileLines(const StationSetup& setup, const QString& dateText, DateTimeValue date,
                             const DayFileContents& contents, const SummaryStyle& style,
                             DateTimeValue localNow);

// Brings the main screen's four summary lines up to date from today's day
// file (brief texts).
void RefreshDaySummaryLines(const StationSetup& setup, DayState& day, const Clock& clock,
                            OperatorMessages& messages);

} // namespace quillon
