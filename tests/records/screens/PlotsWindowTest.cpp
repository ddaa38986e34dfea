// SPDX-License-Identifier: GPL-3.0-or-later
// The plots window offscreen: every tab renders and saves as a PNG.
#include "records/screens/PlotsWindow.h"
#include "records/DayFile.h"
#include "records/DayFileFixtures.h"
#include "records/PlotData.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"
#include <QChartView>
#include <QImage>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(PlotsWindowTest, EachTabRendersToAPng) {
    TestStation station;
    StationState vars = LoadedVars(station);
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

TEST(PlotsWindowTest, EveryClassOfTheDayHasItsOwnColourAndMarker) {
    TestStation station;
    StationState vars = LoadedVars(station);
    station.Write("data/D06083.999",
                  DayWithObservations() +
                      "OBS,03/24/2006,150000,CDDSGQP,23.0, 123.5, 45.6,0.3, 1.900,295.0,1.0\r\n"
                      " 170.0 170.0 170.0 080.0 080.0CDDSGQP 24 150000 03 06\r\n"
                      "OBS,03/24/2006,160000,ADZC,23.0, 123.5, 45.6,0.3, 2.100,305.0,2.0\r\n"
                      " 170.0 170.0 170.0 080.0 080.0ADZC    24 160000 03 06\r\n");
    TestServices fakes(vars, MakeDateTime(2006, 3, 24, 20, 0, 0));
    PlotsWindow plots(fakes.services);
    plots.ShowDay("D06083.999");
    QSet<QRgb> colours;
    QSet<int> markers;
    QStringList classes;
    for (QAbstractSeries* series : plots.DayView()->chart()->series()) {
        if (auto* points = qobject_cast<QScatterSeries*>(series)) {
            classes << points->name();
            colours << points->color().rgb();
            markers << points->markerShape();
        }
    }
    EXPECT_EQ(classes, QStringList({"ADDS", "CDDS", "AD zenith", "CD zenith"}));
    EXPECT_EQ(colours.size(), 4);
    EXPECT_EQ(markers.size(), 4);
}
