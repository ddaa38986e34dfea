// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainScreenText.h"

#include "util/Format.h"

namespace quillon {

namespace {
QString HeadlineStart(const StationSetup& setup) {
    return QStringLiteral("Main Menu ") + setup.InstrumentId + QStringLiteral(" at ") +
           setup.StationName + QStringLiteral(" Day of Year:");
}
} // namespace

QString MainTitle(long count) {
    return QStringLiteral("Main Form: Version date ") + QString::fromLatin1(kVersionTag) +
           Str(static_cast<double>(count));
}

QString StartUpHeadline(const StationSetup& setup, DateTimeValue clock) {
    return HeadlineStart(setup) + FormatNumber(DayOfYear(clock), u"000") + u' ' +
           FormatDate(clock, u"DD MMM YYYY");
}

QString NewDayHeadline(const StationSetup& setup, DateTimeValue clock) {
    return HeadlineStart(setup) + QString::number(DayOfYear(clock)) + u' ' +
           FormatDate(clock, u"DD MMM YYYY");
}

QString ZenithSummaryLine(const DayState& day) {
    return day.SummaryADZenith + u' ' + day.SummaryCDZenith;
}

SpeedModeText ToggleSpeedMode(OperatorSettings& settings) {
    if (settings.ComputerTimed != 1) {
        settings.ComputerTimed = 1;
        return {QStringLiteral(" Change to obs'r controlled s&Peed"),
                QStringLiteral("Computer controls speed.")};
    }
    settings.ComputerTimed = 0;
    return {QStringLiteral("Change to computer con&Trolled speed"),
            QStringLiteral("Observer controls speed.")};
}

} // namespace quillon
