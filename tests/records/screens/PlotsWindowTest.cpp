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
#include <QMap>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QValueAxis>
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
    }
    // What the day chart drew: the ADDS points at 09:30 and 12:00, the CD
    // zenith point at 13:00 (CCZB has no ozone), and the ozone axis around
    // them: 290 - 3.0 = 287 and 310 + 2.0 = 312 give 270 to 330. A practice
    // day (.999): every point flagged, drawn hollow.
    QMap<QString, QList<QPointF>> drawn;
    for (QAbstractSeries* series : plots.DayView()->chart()->series()) {
        if (auto* points = qobject_cast<QScatterSeries*>(series)) {
            drawn[points->name()] = points->points();
        }
    }
    EXPECT_EQ(drawn.keys(), QStringList({"ADDS flagged (hollow)", "CD zenith flagged (hollow)"}));
    EXPECT_EQ(drawn["ADDS flagged (hollow)"], QList<QPointF>({{9.5, 300.0}, {12.0, 310.0}}));
    EXPECT_EQ(drawn["CD zenith flagged (hollow)"], QList<QPointF>({{13.0, 290.0}}));
    QList<double> ranges;
    for (QAbstractAxis* axis : plots.DayView()->chart()->axes(Qt::Vertical)) {
        if (auto* value = qobject_cast<QValueAxis*>(axis); value && value->titleText() != "Mu") {
            ranges << value->min() << value->max();
        }
    }
    EXPECT_EQ(ranges.mid(0, 2), QList<double>({270.0, 330.0}));
    // The mercury chart: the three tests' differences.
    QList<double> differences;
    for (QAbstractSeries* series : plots.HgView()->chart()->series()) {
        if (auto* points = qobject_cast<QScatterSeries*>(series)) {
            for (const QPointF& p : points->points()) {
                differences << p.y();
            }
        }
    }
    std::sort(differences.begin(), differences.end());
    EXPECT_EQ(differences, QList<double>({-0.45, 0.1, 0.3}));
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
            colours << points->borderColor().rgb(); // hollow points have no fill
            markers << points->markerShape();
        }
    }
    EXPECT_EQ(classes, QStringList({"ADDS flagged (hollow)", "CDDS flagged (hollow)",
                                    "AD zenith flagged (hollow)", "CD zenith flagged (hollow)"}));
    EXPECT_EQ(colours.size(), 4);
    EXPECT_EQ(markers.size(), 4);
}

TEST(PlotsWindowTest, FlaggedObservationsAreDrawnHollowInTheirClassColour) {
    TestStation station;
    // A station with its encoder: no practice day.
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/null\r\n");
    StationState vars = LoadedVars(station);
    // The 12:00 ADDS has an ozone spread of 3.0 DU (limit 2.5); the CD
    // zenith of 13:00 carries no sky codes.
    QByteArray day = DayWithObservations();
    day.replace("1.500,310.0,2.0", "1.500,310.0,3.0");
    station.Write("data/D06083.061", day);
    TestServices fakes(vars, MakeDateTime(2006, 3, 24, 20, 0, 0));
    PlotsWindow plots(fakes.services);
    plots.ShowDay("D06083.061");
    QMap<QString, QScatterSeries*> drawn;
    for (QAbstractSeries* series : plots.DayView()->chart()->series()) {
        if (auto* points = qobject_cast<QScatterSeries*>(series)) {
            drawn[points->name()] = points;
        }
    }
    EXPECT_EQ(drawn.keys(),
              QStringList({"ADDS", "ADDS flagged (hollow)", "CD zenith flagged (hollow)"}));
    EXPECT_EQ(drawn["ADDS"]->points(), QList<QPointF>({{9.5, 300.0}}));
    EXPECT_EQ(drawn["ADDS flagged (hollow)"]->points(), QList<QPointF>({{12.0, 310.0}}));
    EXPECT_EQ(drawn["ADDS flagged (hollow)"]->brush().style(), Qt::NoBrush);
    EXPECT_EQ(drawn["ADDS flagged (hollow)"]->pen().color(), drawn["ADDS"]->color());
    EXPECT_EQ(drawn["ADDS"]->brush().style(), Qt::SolidPattern);
}
