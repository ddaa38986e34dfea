#pragma once

#include "config/SharedVars.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

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
};

// Summarises the day file of local date `dateText` ("MM/DD/YYYY") found in
// `directory` into per-class ozone averages and, with file, writes the
// summary file "S" + YY + DDD + "." + suffix beside it. `texts.cdZenith` is
// left as the caller passes it unless a CD zenith class is summarised.
// A refused day file is reported to the operator and sets `vars.AbortFlag`.
// Returns false when the file was refused or could not be written.
bool SumToDay(SharedVars& vars, const Clock& clock, const QString& dateText, SummaryDetail detail,
              const QString& directory, SummaryTexts& texts, OperatorMessages& messages);

// Brings the main screen's four summary lines up to date from today's day
// file (brief texts).
void RefreshDaySummaryLines(SharedVars& vars, const Clock& clock, OperatorMessages& messages);

} // namespace quillon
