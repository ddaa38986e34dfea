// SPDX-License-Identifier: GPL-3.0-or-later
// The day's plan: intervals of one mu range each, their boundaries to the
// second as the main screen would meet them, the polar days, solar noon,
// and the text and JSON that scripts read.
#include "observe/DayPlan.h"
#include "astro/AstroFunctions.h"
#include "observe/Guidance.h"
#include "support/TestStation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

int ScreenRange(const StationState& vars, DateTimeValue localDate, int second) {
    const DateTimeValue utc = localDate + second / 86400.0 + vars.setup.UtcOffsetHours / 24.0;
    return MuRangeFor(SunMu(vars.setup, utc));
}

// Every boundary: the main screen's range one second before it is the
// interval's before, at it the interval's after; no interval is empty; the
// day is covered from 00:00:00 to 24:00:00.
void CheckBoundaries(const StationState& vars, DateTimeValue day, const DayPlan& plan) {
    ASSERT_FALSE(plan.intervals.isEmpty());
    EXPECT_EQ(plan.intervals.first().startSecond, 0);
    EXPECT_EQ(plan.intervals.last().endSecond, 86400);
    for (qsizetype i = 0; i < plan.intervals.size(); ++i) {
        const PlanInterval& in = plan.intervals[i];
        EXPECT_LT(in.startSecond, in.endSecond) << i;
        if (i > 0) {
            EXPECT_EQ(in.startSecond, plan.intervals[i - 1].endSecond) << i;
            EXPECT_NE(in.range, plan.intervals[i - 1].range) << i;
            EXPECT_EQ(ScreenRange(vars, day, in.startSecond - 1), plan.intervals[i - 1].range) << i;
            EXPECT_EQ(ScreenRange(vars, day, in.startSecond), in.range) << i;
        }
    }
}

} // namespace

TEST(DayPlan, WinterAndSummerDaysAtTheExampleStation) {
    TestStation station;
    const StationState vars = LoadedVars(station);
    for (const DateTimeValue day : {DateSerial(2026, 12, 8), DateSerial(2026, 6, 21)}) {
        const DayPlan plan = PlanDay(vars.setup, day);
        CheckBoundaries(vars, day, plan);
        // Night, the sun rising through the ranges to noon and back.
        EXPECT_EQ(plan.intervals.first().range, 1);
        EXPECT_EQ(plan.intervals.last().range, 1);
        EXPECT_EQ(plan.intervals.first().entries, QStringList({"ADRMFI", "CDRMFI"}));
    }
    // Boulder (105.25 W, UTC-7) on 8 December: noon on its meridian is
    // 12:01 local standard time; the sun runs about 7.9 minutes fast, so
    // noon about 11:53. Mu there: zenith angle 40.04 + 22.7 = 62.7 degrees,
    // 1/cos = 2.18 (the ozone layer's curvature makes it a little less).
    const DayPlan winter = PlanDay(vars.setup, DateSerial(2026, 12, 8));
    EXPECT_GE(winter.solarNoonSecond, 11 * 3600 + 52 * 60 + 30);
    EXPECT_LE(winter.solarNoonSecond, 11 * 3600 + 53 * 60 + 40);
    EXPECT_NEAR(winter.lowestMu, 2.16, 0.03);
    // In winter the sun never brings mu below 1.8: no range 7, 8 or 9.
    for (const PlanInterval& in : winter.intervals) {
        EXPECT_LE(in.range, 6);
    }
}

TEST(DayPlan, PolarNightAndMidnightSun) {
    TestStation station;
    // The example station moved far north, to 80 degrees.
    station.Write("config/station.cfg", "6369000\r\n105.2514\r\n80.0\r\n7\r\n836\r\n1689\r\n"
                                        "22000\r\n67\r\n\"Far North\"\r\n\"FNO\"\r\n");
    const StationState vars = LoadedVars(station);
    const DayPlan night = PlanDay(vars.setup, DateSerial(2026, 12, 21));
    ASSERT_EQ(night.intervals.size(), 1);
    EXPECT_EQ(night.intervals[0].range, 1);
    EXPECT_EQ(PlanText(night).first(), "00:00:00-24:00:00  range 1  ADRMFI,CDRMFI");
    const DateTimeValue june = DateSerial(2026, 6, 21);
    const DayPlan summer = PlanDay(vars.setup, june);
    CheckBoundaries(vars, june, summer);
    for (const PlanInterval& in : summer.intervals) {
        EXPECT_NE(in.range, 1); // the sun never sets
    }
}

TEST(DayPlan, ADayAcrossTheStationsUtcMidnight) {
    // UTC-7: the local day runs 07:00 UTC to 07:00 UTC the next day.
    TestStation station;
    const StationState vars = LoadedVars(station);
    const DateTimeValue day = DateSerial(2026, 12, 31);
    const DayPlan plan = PlanDay(vars.setup, day);
    CheckBoundaries(vars, day, plan);
    // 00:00 UTC is 17:00 local, after sunset (about 16:45): the night's
    // interval runs through it unbroken to local midnight.
    const PlanInterval& last = plan.intervals.last();
    EXPECT_EQ(last.range, 1);
    EXPECT_LT(last.startSecond, 17 * 3600);
    EXPECT_GT(last.startSecond, 16 * 3600);
}

TEST(DayPlan, TextAndJsonForScripts) {
    TestStation station;
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "plan", "2026-12-08"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    const QRegularExpression interval(
        "^\\d\\d:\\d\\d:\\d\\d-\\d\\d:\\d\\d:\\d\\d  range [1-9]  ([A-Z]+(,[A-Z]+)*|none)$");
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_TRUE(interval.match(lines[i]).hasMatch()) << lines[i].toStdString();
    }
    EXPECT_TRUE(lines.first().startsWith("00:00:00-"));
    EXPECT_TRUE(lines[lines.size() - 2].contains("-24:00:00  range 1"));
    EXPECT_TRUE(QRegularExpression("^Solar noon 11:5\\d:\\d\\d, lowest mu 2\\.1\\d\\d$")
                    .match(lines.last())
                    .hasMatch())
        << lines.last().toStdString();

    cli.start(QStringLiteral(QUILLON_CLI),
              {"--home", station.Home(), "plan", "2026-12-08", "--json"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const QJsonObject plan = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    EXPECT_EQ(plan["station"].toString(), "Boulder, Colorado");
    EXPECT_EQ(plan["date"].toString(), "2026-12-08");
    const QJsonArray intervals = plan["intervals"].toArray();
    ASSERT_EQ(intervals.size(), lines.size() - 1);
    EXPECT_EQ(intervals.first().toObject()["start"].toString(), "00:00:00");
    EXPECT_EQ(intervals.last().toObject()["end"].toString(), "24:00:00");
    EXPECT_EQ(intervals.first().toObject()["entries"].toArray().first().toString(), "ADRMFI");
    EXPECT_NEAR(plan["lowest_mu"].toDouble(), 2.16, 0.03);

    // A date that is not one is a usage error.
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "plan", "2026-13-08"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 2);
}

TEST(DayPlan, TheIntervalOfAMomentAndEachTypesWindows) {
    DayPlan plan;
    plan.intervals = {{0, 25000, 1, {"ADRMFI"}},
                      {25000, 30000, 5, {"ADDSGQP", "CCZB"}},
                      {30000, 40000, 7, {"ADDSGQP", "CDDSGQP", "CCZB"}},
                      {40000, 45000, 5, {"ADDSGQP", "CCZB"}},
                      {45000, 86400, 1, {"ADRMFI"}}};
    EXPECT_EQ(PlanIntervalAt(plan, 0), 0);
    EXPECT_EQ(PlanIntervalAt(plan, 24999), 0);
    EXPECT_EQ(PlanIntervalAt(plan, 25000), 1);
    EXPECT_EQ(PlanIntervalAt(plan, 86399), 4);
    EXPECT_EQ(PlanIntervalAt(plan, 86400), -1);
    const QList<TypeWindows> windows = PlanTypeWindows(plan);
    ASSERT_EQ(windows.size(), 4);
    // The moon before dawn and after dusk: two windows; ADDSGQP joined
    // across three intervals; CDDSGQP only in the middle one.
    EXPECT_EQ(windows[0].type, "ADRMFI");
    EXPECT_EQ(windows[0].windows, (QList<std::pair<int, int>>{{0, 25000}, {45000, 86400}}));
    EXPECT_EQ(windows[1].type, "ADDSGQP");
    EXPECT_EQ(windows[1].windows, (QList<std::pair<int, int>>{{25000, 45000}}));
    EXPECT_EQ(windows[2].type, "CCZB");
    EXPECT_EQ(windows[3].type, "CDDSGQP");
    EXPECT_EQ(windows[3].windows, (QList<std::pair<int, int>>{{30000, 40000}}));
}

TEST(DayPlan, TheSecondOfNowAndMuThroughTheDayForThePlanWindow) {
    TestStation station;
    const StationState vars = LoadedVars(station);
    const DateTimeValue day = DateSerial(2026, 12, 8);
    // Boulder is UTC-7: 07:00 UTC is local midnight, 19:00 UTC local noon.
    EXPECT_EQ(PlanSecondNow(vars.setup, day, MakeDateTime(2026, 12, 8, 7, 0, 0)), 0);
    EXPECT_EQ(PlanSecondNow(vars.setup, day, MakeDateTime(2026, 12, 8, 19, 0, 0)), 43200);
    EXPECT_EQ(PlanSecondNow(vars.setup, day, MakeDateTime(2026, 12, 9, 6, 59, 59)), 86399);
    EXPECT_EQ(PlanSecondNow(vars.setup, day, MakeDateTime(2026, 12, 9, 7, 0, 0)), -1);
    EXPECT_EQ(PlanSecondNow(vars.setup, day, MakeDateTime(2026, 12, 8, 6, 59, 59)), -1);
    // Mu every five minutes while the sun is up and mu at most 6: its
    // lowest near the plan's (2.16 at 11:53), no point at night.
    const QList<MuPoint> curve = MuThroughTheDay(vars.setup, day, 300, 6.0);
    ASSERT_FALSE(curve.isEmpty());
    double lowest = 99;
    int lowestAt = 0;
    for (const MuPoint& p : curve) {
        EXPECT_EQ(p.second % 300, 0);
        EXPECT_GT(p.mu, 0.0);
        EXPECT_LE(p.mu, 6.0);
        if (p.mu < lowest) {
            lowest = p.mu;
            lowestAt = p.second;
        }
    }
    EXPECT_NEAR(lowest, 2.16, 0.03);
    EXPECT_NEAR(lowestAt, 11 * 3600 + 53 * 60, 300);
    // Mu 6 is reached about an hour and a half after sunrise: no point
    // before 07:30 or after 16:30.
    EXPECT_GT(curve.first().second, 7 * 3600 + 30 * 60);
    EXPECT_LT(curve.last().second, 16 * 3600 + 30 * 60);
}
