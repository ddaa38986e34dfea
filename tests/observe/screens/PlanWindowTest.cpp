// SPDX-License-Identifier: GPL-3.0-or-later
// "Today's Plan" offscreen: the day's intervals with the current one
// marked and following the clock, the line at now, each type's bars, and
// another date chosen.
#include "observe/screens/PlanWindow.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
QLineSeries* NowLine(const PlanWindow& window) {
    for (QAbstractSeries* series : window.MuView()->chart()->series()) {
        if (series->objectName() == "now") {
            return static_cast<QLineSeries*>(series);
        }
    }
    return nullptr;
}

int ClockSeconds(const QString& text) {
    return text.left(2).toInt() * 3600 + text.mid(3, 2).toInt() * 60 + text.mid(6, 2).toInt();
}
} // namespace

TEST(PlanWindow, TheCurrentIntervalFollowsTheClockAndAnotherDateCanBeShown) {
    TestStation station;
    StationState vars = LoadedVars(station);
    // 17:00 UTC on 8 December 2026 is 10:00:00 local at Boulder (UTC-7).
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    PlanWindow window(fakes.services);
    auto* table = window.findChild<QTableWidget*>("tblPlan");
    // The day's mu ranges, symmetric about solar noon: at 105.25 W the sun
    // crosses the meridian a minute after 12:00 standard time, less the
    // equation of time of 8 December (the sun 8.1 minutes fast): 11:52:56.
    const QStringList starts = {"00:00:00", "07:15:29", "08:36:38", "09:04:44",
                                "09:30:21", "10:29:10", "13:16:43", "14:15:31",
                                "14:41:09", "15:09:14", "16:30:24"};
    ASSERT_EQ(table->rowCount(), starts.size());
    for (int r = 0; r < starts.size(); ++r) {
        EXPECT_EQ(table->item(r, 0)->text(), starts[r]) << r;
        EXPECT_EQ(table->item(r, 1)->text(), r + 1 < starts.size() ? starts[r + 1] : "24:00:00")
            << r;
    }
    // The marked row is the one that holds 10:00:00 (range 5), and only it
    // is bold.
    const int row = window.CurrentRow();
    ASSERT_EQ(row, 4);
    EXPECT_EQ(table->item(row, 3)->text().split(QRegularExpression("[ ,]+"), Qt::SkipEmptyParts),
              QStringList({"ADDSGQP", "CDDSGQP", "ADZB", "CCZB", "CCZC", "CDDSFI", "ADDSFI", "CDZB",
                           "CDZC"}));
    for (int r = 0; r < table->rowCount(); ++r) {
        EXPECT_EQ(table->item(r, 0)->font().bold(), r == row) << r;
    }
    EXPECT_TRUE(window.findChild<QLabel*>("lblNoon")->text().startsWith("Solar noon 11:52:56"))
        << window.findChild<QLabel*>("lblNoon")->text().toStdString();
    // The line at now stands at 10 hours.
    QLineSeries* now = NowLine(window);
    ASSERT_NE(now, nullptr);
    ASSERT_EQ(now->count(), 2);
    EXPECT_DOUBLE_EQ(now->at(0).x(), 10.0);
    // Each offered type has its bars.
    QStringList types;
    for (QAbstractSeries* series : window.TimelineView()->chart()->series()) {
        types << series->name();
    }
    EXPECT_TRUE(types.contains("ADDSGQP"));
    EXPECT_TRUE(types.contains("CCZB"));

    // The clock passes the end of the interval, 10:29:10: the next one is
    // marked.
    fakes.clock.Advance(ClockSeconds("10:29:10") - 36000);
    window.Tick();
    EXPECT_EQ(window.CurrentRow(), 5);
    EXPECT_TRUE(table->item(row + 1, 0)->font().bold());
    EXPECT_FALSE(table->item(row, 0)->font().bold());

    // Midsummer, another day: the sun is highest a few minutes after noon
    // (the equation of time has turned), and nothing is marked on a day
    // that is not today.
    window.findChild<QDateEdit*>("dateEdit")->setDate(QDate(2026, 6, 21));
    EXPECT_EQ(window.CurrentRow(), -1);
    EXPECT_TRUE(window.findChild<QLabel*>("lblNoon")->text().startsWith("Solar noon 12:0"))
        << window.findChild<QLabel*>("lblNoon")->text().toStdString();
    ASSERT_NE(NowLine(window), nullptr);
    EXPECT_EQ(NowLine(window)->count(), 0);
}

TEST(PlanWindow, EveryIntervalInViewAndEachTypeNamedOnItsRow) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    PlanWindow window(fakes.services);
    window.show();
    const DayPlan plan = PlanDay(vars.setup, DateSerial(2026, 12, 8));
    auto* table = window.findChild<QTableWidget*>("tblPlan");
    ASSERT_EQ(table->rowCount(), plan.intervals.size());
    // At its opening size: every row shown, none behind a scroll bar, and
    // the window within a 1280 x 800 screen.
    EXPECT_EQ(table->verticalScrollBar()->maximum(), 0);
    EXPECT_LE(window.width(), 1280);
    EXPECT_LE(window.height(), 800);
    // The types' chart names each type on the axis, one row each, and
    // shows no legend; the bars of the first type are its windows.
    const QList<TypeWindows> types = PlanTypeWindows(plan);
    QCategoryAxis* axis = nullptr;
    for (QAbstractAxis* a : window.TimelineView()->chart()->axes(Qt::Vertical)) {
        axis = qobject_cast<QCategoryAxis*>(a);
    }
    ASSERT_NE(axis, nullptr);
    QStringList names;
    for (const TypeWindows& t : types) {
        names.prepend(t.type); // the first type on the top row
    }
    EXPECT_EQ(axis->categoriesLabels(), names);
    EXPECT_FALSE(window.TimelineView()->chart()->legend()->isVisible());
    QList<std::pair<double, double>> bars;
    for (QAbstractSeries* series : window.TimelineView()->chart()->series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        if (line && line->name() == types[0].type) {
            bars << std::make_pair(line->at(0).x(), line->at(1).x());
        }
    }
    QList<std::pair<double, double>> expected;
    for (const auto& [start, end] : types[0].windows) {
        expected << std::make_pair(start / 3600.0, end / 3600.0);
    }
    EXPECT_EQ(bars, expected);
}

TEST(PlanWindow, EscapeAndTheCloseButtonLeaveIt) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    for (const ScriptedOperator::Answer& answer :
         {Press(Qt::Key_Escape), CloseWindow(), Click("cmmdExit")}) {
        ScriptedOperator op;
        op.On("Plan", answer);
        PlanWindow window(fakes.services);
        window.exec();
        EXPECT_EQ(op.Seen(), QStringList{"Plan"});
    }
}
