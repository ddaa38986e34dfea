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
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <functional>
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
    // The counter at 150.0 for every wavelength; its N by hand from the
    // N-table row of 150 and the lamp corrections: C 133.2 - 0.3 = 132.9,
    // D 129.9 + 0.1 = 130.0, A 140.5 + 0.4 = 140.9. Each wavelength a
    // minute after the other, with its own mu; the set's mean time is D's.
    EXPECT_EQ(screen.findChild<QLabel*>("lblSetResult_0")->text(), "17:01:49 DS AD: 24.7 CD: 10.9");
    EXPECT_TRUE(screen.findChild<QPushButton*>("CmmdExit")->isEnabled());
    EXPECT_EQ(screen.Series().SetStarts().size(), 1);
    screen.findChild<QPushButton*>("CmmdExit")->click();
    EXPECT_FALSE(screen.isVisible());
    const QStringList cda = QString::fromLatin1(station.Read("data/CDAobs26342.061"))
                                .split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
    ASSERT_GE(cda.size(), 8);
    EXPECT_EQ(cda[7], "BDR,2026-12-08,17:01:49,DS,"
                      "17:00:49, 2.622,68.03, 150.0, 132.9, 499.011,"
                      "17:01:49, 2.612,67.94, 150.0, 130.0, 999.000,"
                      "17:02:49, 2.603,67.85, 150.0, 140.9, 247.099, 24.659, 10.928");
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

namespace {
// Runs one set on the screen and, while the series waits for the D mark
// (the C readings done), opens the comment entry and leaves it by `leave`;
// pauses once the set's line is up. Returns the set's CDA line.
QString SetWithCommentLeftBeforeD(IcScreen& screen, const TestStation& station,
                                  const std::function<void(QDialog*)>& leave) {
    QPointer<QDialog> comment;
    bool left = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QString msg = screen.findChild<QLabel*>("lblMsg")->text();
        if (!left && msg == "Waiting to Start D at: 30 Secs") {
            screen.findChild<QAction*>("mnuComment")->trigger();
            comment = screen.findChild<QDialog*>("addcmmt");
            if (comment) {
                leave(comment);
                left = true;
            }
        }
        if (!screen.findChild<QLabel*>("lblSetResult_0")->text().isEmpty()) {
            screen.findChild<QPushButton*>("CmmdPause")->click();
        }
    });
    watch.start(0);
    screen.findChild<QPushButton*>("cmmdGo")->click();
    watch.stop();
    EXPECT_TRUE(left) << "the comment entry was not left while the series waited for D";
    const QStringList cda = SplitLines(DecodeWindows1252(station.Read("data/CDAobs26342.061")));
    return cda.isEmpty() ? QString() : cda.last();
}

// The D readings and both pair values of a set read at 150.0 throughout:
// the CDA line's D block and the day file's readings line.
void ExpectDMeasured(const QString& cdaLine, const TestStation& station) {
    const QStringList fields = cdaLine.split(u',');
    ASSERT_EQ(fields.size(), 24) << cdaLine.toStdString();
    EXPECT_EQ(fields[13], " 150.0") << "Rd: " << cdaLine.toStdString();
    EXPECT_NE(fields[15], "-90000") << "TO3_D";
    EXPECT_NE(fields[22], "-90000") << "TO3AD";
    EXPECT_NE(fields[23], "-90000") << "TO3CD";
    const QStringList day = SplitLines(DecodeWindows1252(station.Read("data/D26342.061")));
    EXPECT_EQ(day.filter(QRegularExpression("^ 150\\.0 150\\.0 150\\.0 000\\.0 000\\.0")).size(), 1)
        << day.join("\n").toStdString();
    EXPECT_EQ(day.filter("COMMENT").filter("Partner").size(), 0);
}
} // namespace

TEST_F(IcScreenTest, ACommentEscapedWhileTheSeriesWaitsLosesNoWavelength) {
    const QString line = SetWithCommentLeftBeforeD(screen, station, [](QDialog* comment) {
        auto* box = comment->findChild<QLineEdit*>("txtCmmt");
        QTest::keyClicks(box, "Partner ready");
        QTest::keyClick(box, Qt::Key_Escape);
    });
    ExpectDMeasured(line, station);
    screen.findChild<QPushButton*>("CmmdExit")->click();
}

TEST_F(IcScreenTest, ACommentClosedByItsTitleBarWhileTheSeriesWaitsLosesNoWavelength) {
    const QString line = SetWithCommentLeftBeforeD(screen, station, [](QDialog* comment) {
        QTest::keyClicks(comment->findChild<QLineEdit*>("txtCmmt"), "Partner ready");
        comment->close();
    });
    ExpectDMeasured(line, station);
    screen.findChild<QPushButton*>("CmmdExit")->click();
}
