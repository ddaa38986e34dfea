// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// The screen at 16:59:40 UTC with a counter that reads 150.0.
class IcScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fakes.OpenEncoder());
        fakes.link.SetValue(150.0);
        vars.settings.AudioPrompts = 0;
        screen.show();
    }
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes{vars, MakeDateTime(2026, 12, 8, 16, 59, 40)};
    IcScreen screen{fakes.services};
};

} // namespace

TEST_F(IcScreenTest, GoASetPauseExit) {
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

TEST_F(IcScreenTest, ShiftsShownAndKeptACommentHeldOpenDelaysNoSet) {
    QApplication::setActiveWindow(&screen);
    // F6 twice: the next set two seconds later, and the offset shown.
    QTest::keyClick(&screen, Qt::Key_F6);
    QTest::keyClick(&screen, Qt::Key_F6);
    EXPECT_EQ(screen.findChild<QLabel*>("LblNextSetTime")->text(), "17:00:32");
    EXPECT_EQ(screen.findChild<QLabel*>("lblOffset")->text(), "Offset: +2 s");
    // The display timer follows the clock and keeps the shift: one tick of
    // it, run now rather than waited for.
    fakes.clock.Advance(1);
    auto* display = screen.findChild<QTimer*>("TmrDispInfo");
    ASSERT_NE(display, nullptr);
    display->start(0);
    QCoreApplication::processEvents();
    display->start(1000);
    EXPECT_EQ(screen.findChild<QLabel*>("LblNextSetTime")->text(), "17:00:32");

    // During the wait the operator opens the comment entry and leaves it
    // open across the mark; then pauses once the first set is written.
    QPointer<QWidget> comment;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QString msg = screen.findChild<QLabel*>("lblMsg")->text();
        if (!comment && msg.startsWith("Waiting for")) {
            screen.findChild<QAction*>("mnuComment")->trigger();
            comment = screen.findChild<QDialog*>("addcmmt");
        }
        if (!screen.findChild<QLabel*>("lblSetResult_0")->text().isEmpty()) {
            screen.findChild<QPushButton*>("CmmdPause")->click();
        }
    });
    watch.start(0);
    screen.findChild<QPushButton*>("cmmdGo")->click();
    watch.stop();
    ASSERT_FALSE(comment.isNull()) << "the comment entry was not opened";
    EXPECT_TRUE(comment->isVisible());
    ASSERT_EQ(screen.Series().SetStarts().size(), 1);
    EXPECT_EQ(FormatDate(screen.Series().SetStarts()[0], u"HH:MM:SS"), "17:00:32");
    // The comment is entered after the set, and written then.
    auto* box = comment->findChild<QLineEdit*>();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, "Partner door open");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(DecodeWindows1252(station.Read("data/D26342.061")).contains("Partner door open"));
    screen.findChild<QPushButton*>("CmmdExit")->click();
}
