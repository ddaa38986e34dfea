// SPDX-License-Identifier: GPL-3.0-or-later
// One whole observation on the real offscreen screens, driven by key
// presses and clicks, with the R-dial read from cub5-sim on a pty: F1 on
// the main screen to the OBS record in the day file.
#include "app/screens/MainWindow.h"
#include "instrument/SerialCounterLink.h"
#include "observe/screens/ObservationFlow.h"
#include "support/Cub5Sim.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/ScriptedOperator.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
// The counter link with a hook just before each count request.
class TurningLink : public SerialCounterLink {
public:
    void Write(const QByteArray& text) override {
        if (text == "N2TA*" && beforeRequest) {
            beforeRequest();
        }
        SerialCounterLink::Write(text);
    }
    std::function<void()> beforeRequest;
};
} // namespace

TEST(EndToEnd, TimedAdsObservationFromF1ToTheDayFile) {
    Cub5Sim sim;
    ASSERT_TRUE(sim.Started());
    sim.Send("slow 1"); // no need to wait out 9600 baud here
    sim.Send("170");
    TestStation station;
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n" + sim.Device().toUtf8() + "\r\n");
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\","
                                     "\"02/26/2027\",\"02/27/2027\"\r\n");
    StationState vars;
    vars.setup.HomeDir = station.Home();
    FakeClock clock(MakeDateTime(2027, 3, 1, 19, 0, 0)); // noon at Boulder, mu about 1.5
    RecordingMessages messages;
    RecordingPlayer player;
    Sounds sounds(player);
    // The operator turns the dial to each wavelength's balance point before
    // its readings start: the counter is set just before each request.
    TurningLink link;
    QString lastCaption;
    link.beforeRequest = [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "Ggauge" && w->windowTitle() != lastCaption) {
                lastCaption = w->windowTitle();
                if (lastCaption.startsWith("Taking Readings")) {
                    const bool second = lastCaption.endsWith(" D");
                    const bool again = lastCaption.contains("second");
                    sim.Send(second ? (again ? "80.5" : "80") : (again ? "170.5" : "170"));
                }
            }
        }
    };
    Cub5Encoder encoder(vars.setup, link, clock, messages);
    BusyGate gate;
    Services services{vars.setup, vars.calibration, vars.day, vars.settings, clock,
                      messages,   sounds,           encoder,  gate};
    MainWindow main(services, vars);
    main.SetObservationRunner(
        [&](const QString& type) { RunObservationSession(services, type, &main); });
    ASSERT_TRUE(main.Load()) << messages.texts.join("|").toStdString();
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    main.Tick();
    ASSERT_TRUE(main.findChild<QLabel*>("lblF1")->isVisible());

    // The operator at the instrument: answers each question in turn, and
    // takes the observation screen through its states (start, accept,
    // leave) while the wait gauge runs by itself.
    ScriptedOperator op;
    op.Ignore("Ggauge");
    const auto visible = [](const char* button) {
        return [button](QWidget* m) { return m->findChild<QPushButton*>(button)->isVisible(); };
    };
    QString shownOzone;
    op.On("GetInitials", [](QWidget* m) {
        QLineEdit* box = m->findChild<QLineEdit*>("txtInitials");
        QTest::keyClicks(box, "jkl");
        QTest::keyClick(box, Qt::Key_Return);
    });
    op.On("GetDegsC", [](QWidget* m) {
        QLineEdit* box = m->findChild<QLineEdit*>("txtDegsC");
        QTest::keyClicks(box, "22");
        QTest::keyClick(box, Qt::Key_Return);
    });
    op.When("Obs", visible("cmmdPrsAny"), [](QWidget* m) {
        QTest::keyClick(m->findChild<QPushButton*>("cmmdPrsAny"), Qt::Key_Space);
    });
    op.When("Obs", visible("cmmdAccept"), [&shownOzone](QWidget* m) {
        shownOzone = m->findChild<QLabel*>("lblCalcO3")->text();
        QTest::mouseClick(m->findChild<QPushButton*>("cmmdAccept"), Qt::LeftButton);
    });
    op.On("Blue_sky", [](QWidget* m) {
        QTest::mouseClick(m->findChild<QLabel*>("lblBSC"), Qt::LeftButton);
        QTest::mouseClick(m->findChild<QLabel*>("lblNone"), Qt::LeftButton);
        QLineEdit* box = m->findChild<QLineEdit*>("txtComment");
        QTest::keyClicks(box, "end to end");
        QTest::keyClick(box, Qt::Key_Return);
    });
    op.When("Obs", visible("cmmdPrsAny"), Press(Qt::Key_Escape));
    op.On("Moreobs", Press(Qt::Key_Escape));
    QTest::keyClick(&main, Qt::Key_F1);

    EXPECT_EQ(op.Seen(),
              QStringList({"GetInitials", "GetDegsC", "Obs", "Obs", "Blue_sky", "Obs", "Moreobs"}));
    EXPECT_TRUE(shownOzone.contains("428.1")) << shownOzone.toStdString();
    EXPECT_TRUE(main.isVisible());
    const QStringList lines =
        SplitLines(DecodeWindows1252(station.Read("data/" + QString("D27060.061"))));
    const QStringList obs = lines.filter(QRegularExpression("^OBS,"));
    ASSERT_EQ(obs.size(), 1) << lines.join("\n").toStdString();
    EXPECT_TRUE(obs[0].startsWith("OBS,03/01/2027,"));
    // By hand, from the N-table of the test station (rows of 10 R units) and
    // its lamp corrections (A +0.4, D +0.1):
    //   A: R = (170 + 170.5 + 170) / 3 = 170.167, N = 159.9 + 9.8 x 0.0167 + 0.4 = 160.463
    //   D: R = (80 + 80.5) / 2 = 80.25, N = 68.4 + 8.7 x 0.025 + 0.1 = 68.718
    //   ozone = 10 x (160.463 - 68.718) / (1.432 x mu) - 7 x 836/1013
    //         = 433.88 - 5.78 = 428.1 DU at mu 1.4766 (noon at Boulder, 1 March).
    EXPECT_TRUE(obs[0].endsWith(",ADDSGQP,22.0, 160.5, 68.7,0.0, 1.477,428.1,0.0"))
        << obs[0].toStdString();
    const qsizetype at = lines.indexOf(obs[0]);
    EXPECT_TRUE(lines[at + 1].startsWith(" 170.0 170.5 170.0 080.0 080.5ADDSGQP 01 "));
    EXPECT_TRUE(lines[at + 1].endsWith("C         "
                                       "        061  BDR"));
    EXPECT_EQ(lines[at + 3], "\"JKL:end to end\"");
    EXPECT_TRUE(main.findChild<QLabel*>("lblADDSoz")
                    ->text()
                    .startsWith("One ADDS Obs with Ozone=428.1 DU at "));
}

TEST(EndToEnd, ExitChosenDuringTheTicksSerialReadWaitsForIt) {
    // The real serial link on cub5-sim: e&Xit fires while the tick waits for
    // the counter's reply. It runs after the read, which ends with its
    // value: no "ReadEncdr Error", and the port closes after the read.
    Cub5Sim sim;
    ASSERT_TRUE(sim.Started());
    sim.Send("152.3");
    TestStation station;
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n" + sim.Device().toUtf8() + "\r\n");
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\","
                                     "\"02/26/2027\",\"02/27/2027\"\r\n");
    StationState vars;
    vars.setup.HomeDir = station.Home();
    FakeClock clock(MakeDateTime(2027, 3, 1, 19, 0, 0));
    RecordingMessages messages;
    RecordingPlayer player;
    Sounds sounds(player);
    SerialCounterLink link;
    Cub5Encoder encoder(vars.setup, link, clock, messages);
    int ends = 0;
    encoder.SetFailureAction([&ends] { ++ends; });
    BusyGate gate;
    Services services{vars.setup, vars.calibration, vars.day, vars.settings, clock,
                      messages,   sounds,           encoder,  gate};
    MainWindow main(services, vars);
    ASSERT_TRUE(main.Load());
    ASSERT_TRUE(link.IsOpen());
    bool fired = false;
    bool openWhenFired = false;
    // A timer is no user input: it fires inside the read's wait, as a
    // shortcut would if its key were let through.
    QTimer::singleShot(0, [&] {
        fired = true;
        main.findChild<QAction*>("cmmdExit")->trigger();
        openWhenFired = link.IsOpen();
    });
    messages.Expect("Press Yes to Transfer files and exit -- No to just exit.");
    main.Tick();
    EXPECT_TRUE(fired);
    EXPECT_TRUE(openWhenFired);
    EXPECT_EQ(main.findChild<QLabel*>("lblDispRpos")->text(), "152.3");
    EXPECT_TRUE(messages.titles.isEmpty());
    QCoreApplication::processEvents(); // the waiting exit runs from the event loop
    EXPECT_EQ(messages.titles.size(), 1);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(ends, 0);
}
