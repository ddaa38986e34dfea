// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/LampTests.h"

#include <cmath>

namespace quillon {

namespace {
int AgeInDays(const QString& date, DateTimeValue now) {
    DateTimeValue when = 0;
    if (date == QLatin1String("UNKNOWN") || !ParseMdy(date, &when)) {
        return kUnknownAge;
    }
    return static_cast<int>(std::trunc(now - when));
}
} // namespace

LampTestAges LampTestsDue(const Calibration& calibration, DateTimeValue now) {
    LampTestAges ages;
    ages.standard = AgeInDays(calibration.LastStdTest, now);
    ages.mercury = AgeInDays(calibration.LastHgTest, now);
    const int dayOfMonth = SplitDateTime(now).day;
    ages.due = ages.standard >= 40 || ages.mercury >= 40 ||
               (dayOfMonth < 8 && (ages.standard >= 21 || ages.mercury >= 21));
    return ages;
}

QString LampAgeText(int age) {
    return age == kUnknownAge ? QStringLiteral("Not Known") : QString::number(age);
}

bool CheckLampTestsDue(const Calibration& calibration, DateTimeValue now,
                       LampOverDueScreen& screen) {
    const LampTestAges ages = LampTestsDue(calibration, now);
    if (ages.due) {
        screen.ShowLampOverDue(ages);
    }
    return ages.due;
}

} // namespace quillon
