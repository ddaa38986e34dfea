// SPDX-License-Identifier: GPL-3.0-or-later
// "Today's Plan" offscreen: the day's intervals with the current one
// marked and following the clock, the line at now, each type's bars, and
// another date chosen.
#include "observe/screens/PlanWindow.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QLabel>
#include <QLineSeries>
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
    ASSERT_GE(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 0)->text(), "00:00:00");
    EXPECT_EQ(table->item(table->rowCount() - 1, 1)->text(), "24:00:00");
    // The marked row is the one that holds 10:00:00, and only it is bold.
    const int row = window.CurrentRow();
    ASSERT_GE(row, 0);
    EXPECT_LE(ClockSeconds(table->item(row, 0)->text()), 36000);
    EXPECT_GT(ClockSeconds(table->item(row, 1)->text()), 36000);
    EXPECT_TRUE(table->item(row, 3)->text().contains("ADDSGQP"));
    for (int r = 0; r < table->rowCount(); ++r) {
        EXPECT_EQ(table->item(r, 0)->font().bold(), r == row) << r;
    }
    EXPECT_TRUE(window.findChild<QLabel*>("lblNoon")->text().startsWith("Solar noon 11:"));
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

    // The clock passes the end of the interval: the next one is marked.
    const int end = ClockSeconds(table->item(row, 1)->text());
    fakes.clock.Advance(end - 36000);
    window.Tick();
    EXPECT_EQ(window.CurrentRow(), row + 1);
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
