// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainScreenText.h"

#include "util/Format.h"

namespace quillon {

namespace {
QString HeadlineStart(const SharedVars& vars) {
    return QStringLiteral("Main Menu ") + vars.InstrumentId + QStringLiteral(" at ") +
           vars.StationName + QStringLiteral(" Day of Year:");
}
} // namespace

QString MainTitle(long count) {
    return QStringLiteral("Main Form: Version date ") + QString::fromLatin1(kVersionTag) +
           Str(static_cast<double>(count));
}

QString StartUpHeadline(const SharedVars& vars, DateTimeValue clock) {
    return HeadlineStart(vars) + FormatNumber(DayOfYear(clock), u"000") + u' ' +
           FormatDate(clock, u"DD MMM YYYY");
}

QString NewDayHeadline(const SharedVars& vars, DateTimeValue clock) {
    return HeadlineStart(vars) + QString::number(DayOfYear(clock)) + u' ' +
           FormatDate(clock, u"DD MMM YYYY");
}

QString ZenithSummaryLine(const SharedVars& vars) {
    return vars.SummaryADZenith + u' ' + vars.SummaryCDZenith;
}

SpeedModeText ToggleSpeedMode(SharedVars& vars) {
    if (vars.ComputerTimed != 1) {
        vars.ComputerTimed = 1;
        return {QStringLiteral(" Change to obs'r controlled s&Peed"),
                QStringLiteral("Computer controls speed.")};
    }
    vars.ComputerTimed = 0;
    return {QStringLiteral("Change to computer con&Trolled speed"),
            QStringLiteral("Observer controls speed.")};
}

} // namespace quillon
