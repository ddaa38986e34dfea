// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/StationSetup.h"

#include <QList>
#include <QStringList>
#include <utility>

namespace quillon {

// The day's plan for the operator: the local standard day split into the
// intervals in which the main screen's mu range stays the same, with the
// observations its menu offers there, and the sun's highest point.
struct PlanInterval {
    int startSecond = 0; // seconds after local midnight
    int endSecond = 0;   // exclusive; 86400 for the last
    int range = 0;       // 1 to 9, as the main screen applies them
    QStringList entries; // type codes the "&Obs" menu offers, in menu order
};

struct DayPlan {
    QList<PlanInterval> intervals;
    int solarNoonSecond = 0; // local standard time
    double lowestMu = 0;     // mu at solar noon
};

// The plan of the local standard date `localDate` (a day count, midnight).
// Each boundary is the first second of the new range (found to the second
// by bisection on the sun's position); a mu in a gap between ranges keeps
// the range before it, as the main screen does.
DayPlan PlanDay(const StationSetup& setup, DateTimeValue localDate);

// The interval that holds `second` after midnight (0 to 86399), or -1.
int PlanIntervalAt(const DayPlan& plan, int second);

// The second after local midnight of `localDate` that the UTC clock reads
// now (0 to 86399), or -1 when now is another local date.
int PlanSecondNow(const StationSetup& setup, DateTimeValue localDate, DateTimeValue utcNow);

// Mu through the local date, every `stepSeconds` from midnight to midnight
// (both in), where the sun is up and mu is at most `muShown`.
struct MuPoint {
    int second; // after local midnight
    double mu;
};
QList<MuPoint> MuThroughTheDay(const StationSetup& setup, DateTimeValue localDate, int stepSeconds,
                               double muShown);

// Each observation type's windows through the day: the joined intervals in
// which the menu offers it, types in the order they first appear.
struct TypeWindows {
    QString type;
    QList<std::pair<int, int>> windows; // [start, end) seconds after midnight
};
QList<TypeWindows> PlanTypeWindows(const DayPlan& plan);

// "HH:MM:SS" of seconds after midnight; 86400 is "24:00:00".
QString PlanClock(int seconds);

// The plan as text lines ("HH:MM:SS-HH:MM:SS  range R  ENTRIES", then
// "Solar noon HH:MM:SS, lowest mu M.MMM") and as one JSON object.
QStringList PlanText(const DayPlan& plan);
QByteArray PlanJson(const DayPlan& plan, const QString& station, DateTimeValue localDate);

} // namespace quillon
