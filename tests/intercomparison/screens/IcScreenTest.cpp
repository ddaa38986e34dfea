// The intercomparison screen offscreen: Go, a set on the fake clock, Pause
// and Exit.
#include "intercomparison/screens/IcScreen.h"
#include "astro/AstroFunctions.h"
#include "intercomparison/CdaSet.h"
#include "intercomparison/IntercomparisonSeries.h"
#include "ozone/OzoneCalc.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/Format.h"
#include "util/TextFile.h"
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(IcScreenTest, GoASetPauseExit) {
    TestStation station;
    SharedVars vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 16, 59, 40));
    ASSERT_TRUE(fakes.OpenEncoder());
    fakes.link.SetValue(150.0);
    vars.AudioPrompts = 0;
    IcScreen screen(fakes.services);
    screen.show();
    EXPECT_EQ(screen.findChild<QLabel*>("LblNextSetTime")->text(), "17:00:30");
    EXPECT_EQ(screen.findChild<QLabel*>("lblMsg")->text(),
              "Press Go to start a set recorded at 17:01:00");
    EXPECT_EQ(screen.findChild<QLabel*>("lblTiming")->text(), "4 Minute");
    // Pause as soon as the first set's line is up.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!screen.findChild<QLabel*>("lblSetResult_0")->text().isEmpty()) {
            screen.findChild<QPushButton*>("CmmdPause")->click();
        }
    });
    watch.start(0);
    screen.findChild<QPushButton*>("cmmdGo")->click();
    watch.stop();
    EXPECT_TRUE(screen.findChild<QLabel*>("lblSetResult_0")->text().startsWith("17:01:49 DS AD:"));
    EXPECT_TRUE(screen.findChild<QPushButton*>("CmmdExit")->isEnabled());
    EXPECT_EQ(screen.Series().SetStarts().size(), 1);
    screen.findChild<QPushButton*>("CmmdExit")->click();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_FALSE(station.Read("data/CDAobs26342.061").isEmpty());
}
