// SPDX-License-Identifier: GPL-3.0-or-later
// The observation screens offscreen without an encoder (practice readings
// from mu): reject, escape and restart, the sky selection's escape, the
// focused-sun warning and the moon's forced style.
#include "observe/screens/ObsScreen.h"
#include "astro/AstroFunctions.h"
#include "observe/screens/ObservationFlow.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
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

void Type(QWidget* modal, const char* box, const char* text) {
    auto* edit = modal->findChild<QLineEdit*>(box);
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// The set-up of `type` as the operator answers it: the initials offered
// taken, the temperature typed.
void SetUpType(ObservationSession& session, const QString& type) {
    ScriptedOperator setUp;
    setUp.On("GetInitials", [](QWidget* m) {
        QTest::keyClick(m->findChild<QLineEdit*>("txtInitials"), Qt::Key_Return);
    });
    setUp.On("GetDegsC", [](QWidget* m) { Type(m, "txtDegsC", "21"); });
    ASSERT_TRUE(session.Setup(type));
}

void Click(QWidget* modal, const char* button) {
    modal->findChild<QPushButton*>(button)->click();
}

class ObsScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars = LoadedVars(station);
        op.Ignore("Ggauge");             // the wait gauge runs by itself
        vars.setup.EncoderInUse = false; // practice readings, no counter
        vars.settings.ObserverInitials = "JKL";
        vars.settings.InstrumentTemperature = 21;
    }
    QStringList ObsLines() {
        return SplitLines(DecodeWindows1252(station.Read("data/D27060.999")))
            .filter(QRegularExpression("^OBS,"));
    }
    TestStation station;
    StationState vars;
    TestServices fakes{vars, MakeDateTime(2027, 3, 1, 19, 0, 0)};
    ScriptedOperator op;
};

} // namespace

TEST_F(ObsScreenTest, RejectConfirmedWritesNothing) {
    ObsScreen obs(fakes.services);
    ObservationSession session(fakes.services, obs);
    obs.SetSession(&session);
    SetUpType(session, "ADDSGQP");
    obs.Prepare();
    obs.show();
    obs.Start();
    ASSERT_EQ(obs.LastRun().outcome, kObservationComplete);
    EXPECT_TRUE(obs.findChild<QPushButton*>("cmmdAccept")->isVisible());
    op.On("ConfirmRej", [](QWidget* m) { Click(m, "cmmdYes"); });
    obs.Reject();
    EXPECT_EQ(obs.findChild<QLabel*>("lblCalcO3")->text(), "This Ob rejected.");
    EXPECT_TRUE(obs.findChild<QPushButton*>("cmmdPrsAny")->isVisible());
    EXPECT_FALSE(obs.findChild<QPushButton*>("cmmdAccept")->isVisible());
    EXPECT_TRUE(ObsLines().isEmpty());
    EXPECT_EQ(op.Seen(), QStringList{"ConfirmRej"});
}

TEST_F(ObsScreenTest, TheQualityLineStandsBesideTheResultUntilTheNextObservation) {
    // mu above a limit of 1.0: flagged before Accept or Reject.
    station.Write("config/quality.cfg", "airmass_sun 1.0\r\n");
    ObsScreen obs(fakes.services);
    ObservationSession session(fakes.services, obs);
    obs.SetSession(&session);
    SetUpType(session, "ADDSGQP");
    obs.Prepare();
    obs.show();
    auto* quality = obs.findChild<QLabel*>("lblQuality");
    EXPECT_FALSE(quality->isVisible());
    obs.Start();
    ASSERT_EQ(obs.LastRun().outcome, kObservationComplete);
    const QString mu = obs.findChild<QLabel*>("lblObsMu")->text().trimmed();
    EXPECT_TRUE(quality->isVisible());
    // The demo station's last lamp tests, 11/28 and 11/30/2026 (inst.cfg),
    // are 93 and 91 days before 03/01/2027.
    EXPECT_EQ(quality->text(), "Quality: mu " + mu +
                                   " (limit 1.0); lamp tests overdue (mercury 93 days, standard "
                                   "91 days); consider repeating.");
    EXPECT_EQ(quality->styleSheet(), "color: red");
    EXPECT_TRUE(obs.findChild<QPushButton*>("cmmdAccept")->isVisible());
    // Rejected, and the next observation starts without it.
    op.On("ConfirmRej", [](QWidget* m) { Click(m, "cmmdYes"); });
    obs.Reject();
    EXPECT_TRUE(quality->isVisible());
    // Lamp tests done the day before, default limits: nothing to flag.
    station.Remove("config/quality.cfg");
    vars.calibration.LastHgTest = "02/28/2027";
    vars.calibration.LastStdTest = "02/28/2027";
    obs.Start();
    ASSERT_EQ(obs.LastRun().outcome, kObservationComplete);
    EXPECT_FALSE(quality->isVisible());
    EXPECT_EQ(quality->text(), "");
}

TEST_F(ObsScreenTest, EscapeInACountdownThenRestartThenAcceptThroughTheSky) {
    ObsScreen obs(fakes.services);
    ObservationSession session(fakes.services, obs);
    obs.SetSession(&session);
    SetUpType(session, "ADDSGQP");
    obs.Prepare();
    obs.show();
    // e&Xit on the gauge during the first count-down.
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (obs.GaugeWindow().isVisible()) {
            obs.GaugeWindow().findChild<QPushButton*>("cmmdExit")->click();
            press.stop();
        }
    });
    press.start(1);
    op.On("ObsvrPrompt", [](QWidget* m) {
        EXPECT_EQ(m->windowTitle(), "Escape was pressed during observation");
        QTest::keyClick(m, Qt::Key_Space); // re-start
    });
    obs.Start();
    EXPECT_EQ(op.Seen(), QStringList{"ObsvrPrompt"});
    EXPECT_TRUE(obs.findChild<QPushButton*>("cmmdPrsAny")->isVisible());
    EXPECT_FALSE(obs.findChild<QPushButton*>("cmmdAccept")->isVisible());

    obs.Start();
    ASSERT_EQ(obs.LastRun().outcome, kObservationComplete);
    // The sky selection escaped once, re-started, then completed.
    op.On("Blue_sky", [](QWidget* m) { QTest::keyClick(m, Qt::Key_Escape); });
    op.On("ObsvrPrompt", [](QWidget* m) {
        EXPECT_EQ(m->windowTitle(), "Escaped out of Select Sky Conditions.");
        QTest::keyClick(m, Qt::Key_Space);
    });
    op.On("Blue_sky", [](QWidget* m) {
        QTest::mouseClick(m->findChild<QLabel*>("lblBSH"), Qt::LeftButton);
        QTest::mouseClick(m->findChild<QLabel*>("lblNone"), Qt::LeftButton);
        Type(m, "txtComment", "");
    });
    obs.Accept();
    const QStringList lines = SplitLines(DecodeWindows1252(station.Read("data/D27060.999")));
    const QStringList obsLines = lines.filter(QRegularExpression("^OBS,"));
    ASSERT_EQ(obsLines.size(), 1);
    // Without an encoder the record is marked as a practice run.
    const qsizetype at = lines.indexOf(obsLines[0]);
    EXPECT_EQ(lines[at - 1], "\"JKL: Fake Observation follows.\"");
    EXPECT_TRUE(lines[at + 1].contains("ADDSGQP 01 "));
    EXPECT_TRUE(lines[at + 1].endsWith(" H" + QString(17, u' ') + "061  BDR"))
        << lines[at + 1].toStdString();
    EXPECT_EQ(lines[at + 3], "\"JKL:\"");
}

TEST_F(ObsScreenTest, FocusedSunWarningAtLatitudeFortyAndTheMoonStyle) {
    op.On("Warnfi", [](QWidget* m) {
        EXPECT_EQ(m->windowTitle(), "A and D Wavelength Pairs using the focused image of the Sun.");
        Click(m, "cmmdEscape");
    });
    int n = 10;
    EXPECT_FALSE(SetupObservation(fakes.services, "ADDSFI", n, nullptr));
    EXPECT_EQ(fakes.player.played.back(), 134);

    vars.settings.ComputerTimed = 1;
    QStringList lines;
    op.On("GetInitials", [&](QWidget* m) {
        lines << m->findChild<QLabel*>("lblL1_0")->text() << m->windowTitle();
        Type(m, "txtInitials", "abc");
    });
    op.On("GetDegsC", [](QWidget* m) { Type(m, "txtDegsC", "18.5"); });
    EXPECT_TRUE(SetupObservation(fakes.services, "ADRMFI", n, nullptr));
    EXPECT_EQ(vars.settings.ComputerTimed, 0);
    EXPECT_EQ(n, 20);
    EXPECT_EQ(vars.settings.ObserverInitials, "ABC");
    EXPECT_EQ(vars.settings.InstrumentTemperature, 18.5);
    EXPECT_EQ(lines, QStringList({"ADRMFI Observation Information",
                                  "ADRMFI Observation information -- Enter Initials"}));
}

TEST_F(ObsScreenTest, ACommentLeftDuringTheReadingsKeepsEveryMeasurement) {
    ObsScreen obs(fakes.services);
    ObservationSession session(fakes.services, obs);
    obs.SetSession(&session);
    SetUpType(session, "ADDSGQP");
    obs.Prepare();
    obs.show();
    // While the second measurement's readings run, the operator opens the
    // comment entry from the menu and leaves it: once by Escape, once by
    // its title bar.
    op.On("addcmmt", [](QWidget* m) {
        QTest::keyClicks(m->findChild<QLineEdit*>("txtCmmt"), "gusty");
        QTest::keyClick(m->findChild<QLineEdit*>("txtCmmt"), Qt::Key_Escape);
    });
    op.On("addcmmt", CloseWindow());
    int opened = 0;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        const bool reading = obs.GaugeWindow().isVisible() &&
                             obs.GaugeWindow().windowTitle().startsWith("Taking Readings");
        if (reading && opened < 2) {
            ++opened;
            obs.findChild<QAction*>("mnuComment")->trigger();
        }
    });
    during.start(1);
    obs.Start();
    during.stop();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(op.Seen(), QStringList({"addcmmt", "addcmmt"}));
    ASSERT_EQ(obs.LastRun().outcome, kObservationComplete);
    // Every one of the five measurements has its readings.
    for (const double first : obs.LastRun().first) {
        EXPECT_GT(first, 0.0);
    }
    for (const double second : obs.LastRun().second) {
        EXPECT_GT(second, 0.0);
    }
    EXPECT_NE(obs.LastRun().result.ozone, kOzoneNotCalculated);
    // Nothing was entered, so nothing is written for the comment.
    EXPECT_TRUE(DecodeWindows1252(station.Read("data/D27060.999")).indexOf("gusty") < 0);
}
