// SPDX-License-Identifier: GPL-3.0-or-later
// The plots: their data from a hand-made day file and hand-made histories,
// and each tab rendered offscreen to a PNG that is the right size and not
// blank.
#include "records/DayFile.h"
#include "records/DayFileFixtures.h"
#include "records/PlotData.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(PlotData, DayClassesMeansAndHistories) {
    TestStation station;
    station.Write("data/D06083.999", DayWithObservations());
    const DayPlot day = DayPlotOfFile(station.DataDir() + "D06083.999", "Boulder, Colorado");
    ASSERT_EQ(day.classes[0].size(), 2); // ADDS
    EXPECT_DOUBLE_EQ(day.classes[0][0].lstHours, 9.5);
    EXPECT_DOUBLE_EQ(day.classes[0][0].spread, 1.2);
    EXPECT_DOUBLE_EQ(day.classes[0][1].mu, 1.5);
    EXPECT_DOUBLE_EQ(day.means[0], 305.0);
    EXPECT_TRUE(day.classes[1].isEmpty());
    ASSERT_EQ(day.classes[3].size(), 1); // CD zenith; CC' has no class
    EXPECT_DOUBLE_EQ(day.means[3], 290.0);
    EXPECT_TRUE(DayPlotOfFile(station.DataDir() + "none", "x").classes[0].isEmpty());

    station.Write("history/hghist.061", HgHistory());
    const QList<HgPoint> hg = HgHistoryPoints(station.Home() + "history/hghist.061");
    ASSERT_EQ(hg.size(), 3);
    EXPECT_EQ(hg[0].date, DateSerial(2006, 3, 1));
    EXPECT_FALSE(hg[0].outOfBand);
    EXPECT_TRUE(hg[1].outOfBand); // 0.30 is outside the band, as the test fails it
    EXPECT_DOUBLE_EQ(hg[2].difference, -0.45);
    EXPECT_TRUE(hg[2].outOfBand);

    station.Write("history/lamphist.061", LampHistory());
    const QList<LampPoint> lamp = LampHistoryPoints(station.Home() + "history/lamphist.061");
    ASSERT_EQ(lamp.size(), 2);
    EXPECT_EQ(lamp[1].date, DateSerial(2006, 3, 20));
    EXPECT_EQ(lamp[1].averages, (std::array<double, 4>{151.0, 141.0, 130.0, 120.5}));
    EXPECT_EQ(lamp[0].lamp, "L1");
}

TEST(PlotData, TornHistoryRecordsHideNothing) {
    // A lamp test and a mercury test cut short between two whole ones.
    TestStation station;
    station.Write(
        "history/lamphist.061",
        "\"STDLAMP\",\"03/01/2006\",\"10:00:00\",\"L1\",20\r\n x\r\n x\r\n"
        "Test Average: 150.5140.5  129.5  120.0   Std Dev: 000.1000.1  000.1  000.1  \r\n"
        "\"STDLAMP\",\"03/10/2006\",\"10:00:00\",\"L1\",20\r\n x\r\n"
        "\"STDLAMP\",\"03/20/2006\",\"10:00:00\",\"L1\",20\r\n x\r\n x\r\n"
        "Test Average: 151.0141.0  130.0  120.5   Std Dev: 000.1000.1  000.1  000.1  \r\n"
        "\"STDLAMP\",\"03/21/2006\",\"10:00:00\",\"L1\",20\r\n x\r\n x\r\n"
        "Test Average: nan  141.0  130.0  120.5   Std Dev: 000.1000.1  000.1  000.1  \r\n");
    const QList<LampPoint> lamp = LampHistoryPoints(station.Home() + "history/lamphist.061");
    ASSERT_EQ(lamp.size(), 2);
    EXPECT_EQ(lamp[0].date, MakeDateTime(2006, 3, 1, 0, 0, 0));
    EXPECT_EQ(lamp[1].date, MakeDateTime(2006, 3, 20, 0, 0, 0));
    EXPECT_DOUBLE_EQ(lamp[1].averages[0], 151.0);

    station.Write("history/hghist.061",
                  "HGLAMP,03/01/2006,10:00:00,  20.0, 21.0\r\n  78.0 \r\n"
                  "HGLAMP,03/15/2006,10:00:00,  20.0, 21.0\r\n  78.0 \r\n  70.6 \r\n"
                  "   74.30   74.00   -00.45  24 Mar 2006\r\n");
    const QList<HgPoint> hg = HgHistoryPoints(station.Home() + "history/hghist.061");
    ASSERT_EQ(hg.size(), 1);
    EXPECT_DOUBLE_EQ(hg[0].difference, -0.45);
}
