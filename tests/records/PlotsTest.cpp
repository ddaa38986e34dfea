// The plots: their data from a hand-made day file and hand-made histories,
// and each tab rendered offscreen to a PNG that is the right size and not
// blank.
#include "records/DayFile.h"
#include "records/PlotData.h"
#include "records/screens/PlotsWindow.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QChartView>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

QByteArray DayWithObservations() {
    return "\"Boulder, Colorado\"\r\nDobson,61 \r\n03/24/2006\r\n08:00:00\r\n" +
           QByteArray(70, '=') + "\r\n" +
           "OBS,03/24/2006,093000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2\r\n"
           " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 093000 03 06\r\n"
           "OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 1.500,310.0,2.0\r\n"
           " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 120000 03 06\r\n"
           "OBS,03/24/2006,130000,CDZC,23.0, 123.5, 45.6,0.3, 1.600,290.0,3.0\r\n"
           " 170.0 170.0 170.0 080.0 080.0CDZC    24 130000 03 06\r\n"
           "OBS,03/24/2006,140000,CCZB,23.0, 0.0, 0.0,0.3, 1.800,-99.9,-9.9\r\n"
           " 170.0 170.0 170.0 080.0 080.0CCZB    24 140000 03 06\r\n";
}

QByteArray HgHistory() {
    QByteArray out;
    for (const auto& [date, diff] :
         {std::pair{"03/01/2006", " 00.10"}, std::pair{"03/08/2006", " 00.30"},
          std::pair{"03/15/2006", "-00.45"}}) {
        out += QByteArray("HGLAMP,") + date + ",10:00:00,  20.0, 21.0\r\n  78.0 \r\n  70.6 \r\n" +
               "   74.30   74.00   " + diff + "  24 Mar 2006\r\n";
    }
    return out;
}

QByteArray LampHistory() {
    return "\"STDLAMP\",\"03/01/2006\",\"10:00:00\",\"L1\",20\r\n x\r\n x\r\n"
           "Test Average: 150.5140.5  129.5  120.0   Std Dev: 000.1000.1  000.1  000.1  \r\n"
           "\"STDLAMP\",\"03/20/2006\",\"10:00:00\",\"L1\",20\r\n x\r\n x\r\n"
           "Test Average: 151.0141.0  130.0  120.5   Std Dev: 000.1000.1  000.1  000.1  \r\n";
}

} // namespace

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

TEST(PlotsWindowTest, EachTabRendersToAPng) {
    TestStation station;
    SharedVars vars = LoadedVars(station);
    station.Write("data/D06083.999", DayWithObservations());
    station.Write("history/hghist.061", HgHistory());
    TestServices fakes(vars, MakeDateTime(2006, 3, 24, 20, 0, 0));
    PlotsWindow plots(fakes.services);
    plots.ShowDay("D06083.999");
    QTemporaryDir dir;
    // The lamp history does not exist yet: an empty plot that says so.
    EXPECT_TRUE(plots.LampView()->chart()->title().startsWith("No standard lamp history yet"));
    for (QChartView* view : {plots.DayView(), plots.HgView(), plots.LampView()}) {
        const QString path = dir.filePath("plot.png");
        ASSERT_TRUE(PlotsWindow::SavePng(view, path));
        QImage image(path);
        ASSERT_FALSE(image.isNull());
        // The view's own size, never below the minimum the window gives it.
        EXPECT_EQ(image.size(), view->size());
        EXPECT_GE(image.width(), 640);
        EXPECT_GE(image.height(), 400);
        const QRgb corner = image.pixel(0, 0);
        int different = 0;
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4) {
                different += image.pixel(x, y) != corner ? 1 : 0;
            }
        }
        EXPECT_GT(different, 500); // axes, labels and points, not a blank page
    }
}
