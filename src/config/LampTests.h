// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "util/DateTimeValue.h"

namespace quillon {

// Ages of the last standard and mercury lamp tests, in days; -9 when the
// date is not known.
struct LampTestAges {
    int standard = -9;
    int mercury = -9;
    bool due = false;
};

inline constexpr int kUnknownAge = -9;

// Tests are due at 40 days, or at 21 days during the first week of a month
// (they are normally done at the end of the month). An unknown date never
// makes them due.
LampTestAges LampTestsDue(const Calibration& calibration, DateTimeValue now);

// "12", or "Not Known" for an unknown date.
QString LampAgeText(int age);

// The overdue-calibration screen, shown modally when the tests are due.
class LampOverDueScreen {
public:
    virtual ~LampOverDueScreen() = default;
    virtual void ShowLampOverDue(const LampTestAges& ages) = 0;
};

// Shows the overdue screen when the tests are due; returns whether it did.
bool CheckLampTestsDue(const Calibration& calibration, DateTimeValue now,
                       LampOverDueScreen& screen);

} // namespace quillon
