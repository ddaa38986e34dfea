// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen offscreen, its commands: the encoder port and checks, the
// exit and its transfer, commands and keys while the tick reads the dial,
// the WOUDC file of a day, the first run and the shipped example.
#include "app/screens/FirstRunDialog.h"
#include "app/screens/MainScreenFixture.h"
#include "app/screens/MainWindow.h"
#include "astro/AstroFunctions.h"
#include "observe/Guidance.h"
#include "sound/Play.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "ui/EncoderCheckScreen.h"
#include "util/TextFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST_F(MainScreenTest, EncoderPortThatCannotOpenStopsStartUp) {
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\nCOM3\r\n");
    fakes.link.FailOpen("No such file or directory");
    auto main = Make();
    messages.Expect("Encoder Port Error");
    EXPECT_FALSE(main->Load());
    ASSERT_FALSE(messages.titles.isEmpty());
    EXPECT_EQ(messages.titles.last(), "Encoder Port Error");
    EXPECT_TRUE(messages.texts.last().contains("COM3"));
    EXPECT_TRUE(messages.texts.last().contains("No such file or directory"));
}

TEST_F(MainScreenTest, EncoderChecksShowTheLiveDial) {
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/ttyUSB0\r\n");
    auto main = Make();
    ASSERT_TRUE(main->Load());
    fakes.link.SetValue(359.8);
    QStringList seen;
    ScriptedOperator op;
    op.On("EncoderZero", [&](QWidget* zero) {
        EXPECT_EQ(zero->findChild<QLabel*>("lblLine2")->text(),
                  "Turn the R-dial to the ZERO against the  Hairline on the Post.");
        EXPECT_EQ(zero->findChild<QTimer*>("Timer1")->interval(), 1000);
        static_cast<EncoderCheckScreen*>(zero)->Refresh();
        seen << zero->findChild<QLabel*>("lblRdial")->text();
        fakes.link.SetValue(0.0);
        zero->findChild<QPushButton*>("cmdReset")->click();
        seen << zero->findChild<QLabel*>("lblRdial")->text();
        zero->findChild<QPushButton*>("cmmdokay")->click();
    });
    op.On("EncoderSpan", [&](QWidget* span) {
        EXPECT_EQ(span->windowTitle(), "Check Encoder Scan");
        fakes.link.SetValue(300.1);
        static_cast<EncoderCheckScreen*>(span)->Refresh();
        seen << span->findChild<QLabel*>("lblRdial")->text();
        span->findChild<QPushButton*>("cmmdokay")->click();
    });
    Action(*main, "muEncoder")->trigger();
    EXPECT_EQ(seen, QStringList({"-0.2", "0.0", "300.1"}));
    EXPECT_TRUE(fakes.link.written.contains("N2VA0*"));
    EXPECT_TRUE(std::count(player.played.begin(), player.played.end(), 133) >= 2);
}

TEST_F(MainScreenTest, ExitAsksAboutTheTransfer) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    int passes = 0;
    main->SetTransferAction([&] { ++passes; });
    messages.Expect("Press Yes to Transfer files and exit -- No to just exit.", 2);
    messages.answer = true;
    Action(*main, "cmmdExit")->trigger();
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(messages.titles.last(), "Press Yes to Transfer files and exit -- No to just exit.");
    EXPECT_EQ(messages.texts.last(),
              "Do you wish to let the program attempt to transfer files before Exit?");
    EXPECT_FALSE(main->Timer1()->isActive());
    messages.answer = false;
    Action(*main, "cmmdExit")->trigger();
    EXPECT_EQ(passes, 1);
}

TEST_F(MainScreenTest, CommandsDuringTheTicksReadWaitForIt) {
    // e&Xit chosen while the tick waits for the counter: the read ends with
    // its value and no error, then the exit runs and closes the port.
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/ttyUSB0\r\n");
    fakes.link.SetValue(42.0);
    auto main = Make();
    ASSERT_TRUE(main->Load());
    messages.Expect("Press Yes to Transfer files and exit -- No to just exit.");
    bool chosen = false;
    fakes.link.OnPoll([&] {
        if (!chosen) {
            chosen = true;
            Action(*main, "cmmdExit")->trigger(); // as a shortcut would, mid-read
            EXPECT_TRUE(fakes.link.IsOpen());
        }
    });
    main->Tick();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(Text(*main, "lblDispRpos"), "42.0");
    EXPECT_TRUE(messages.titles.isEmpty()); // nothing ran inside the read
    QCoreApplication::processEvents();      // the waiting command runs from the event loop
    EXPECT_EQ(messages.titles,
              QStringList{"Press Yes to Transfer files and exit -- No to just exit."});
    EXPECT_FALSE(fakes.link.IsOpen());
    EXPECT_EQ(fakes.programEnds, 0);
}

TEST_F(MainScreenTest, OneCommandWaitsTheLatestAndEscapeDropsIt) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    main->show();
    ASSERT_TRUE(SeekRange(6, DateSerial(2027, 1, 6) + 7.0 / 24.0));
    main->Tick();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    const QString guidance = Text(*main, "lblMessage");
    {
        // F1 three times while a transfer holds the gate: one observation.
        BusyGate::Hold transfer(fakes.gate, "the transfer");
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(main.get(), Qt::Key_F1);
        }
        EXPECT_TRUE(started.isEmpty());
        EXPECT_EQ(fakes.gate.Waiting(), 1);
        EXPECT_EQ(Text(*main, "lblMessage"), "Waiting: ADDSGQP after the transfer");
    }
    QCoreApplication::processEvents(); // the waiting command runs from the event loop
    EXPECT_EQ(started, QStringList{"ADDSGQP"});
    EXPECT_EQ(Text(*main, "lblMessage"), guidance);

    // F1 then F4: the operator changed his mind, F4 alone runs.
    started.clear();
    {
        BusyGate::Hold read(fakes.gate, "the dial read");
        QTest::keyClick(main.get(), Qt::Key_F1);
        QTest::keyClick(main.get(), Qt::Key_F4);
        EXPECT_EQ(Text(*main, "lblMessage"), "Waiting: ADZC after the dial read");
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(started, QStringList{"ADZC"});

    // Escape takes the waiting command back; nothing runs.
    started.clear();
    {
        BusyGate::Hold transfer(fakes.gate, "the transfer");
        QTest::keyClick(main.get(), Qt::Key_F1);
        QTest::keyClick(main.get(), Qt::Key_Escape);
        EXPECT_EQ(fakes.gate.Waiting(), 0);
        EXPECT_EQ(Text(*main, "lblMessage"), guidance);
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(MainScreenTest, NoTickAndNoDialReadWhileAnyWorkflowScreenIsOpen) {
    // From the moment a menu entry's screen opens until it closes, the main
    // screen's timer is stopped and no dial read is made on its behalf (its
    // read count, in its title, stands still). Each screen is left with
    // Escape, and any screen after it too.
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/ttyUSB0\r\n");
    fakes.link.SetValue(42.0);
    messages.answer = false;
    auto main = Make();
    ASSERT_TRUE(main->Load());
    main->show();
    main->Tick();
    const QString title = main->windowTitle();
    // Each entry and the screens it opens, in order.
    const std::pair<const char*, QStringList> entries[] = {
        {"mmuComment", {"addcmmt"}},
        {"mnTODAY", {"Summary"}},
        {"mnPlots", {"Plots"}},
        {"mnQuality", {"Quality"}},
        {"mnWoudc", {"WoudcDate"}},
        {"mnOtherDay", {"Explain"}},
        {"muEncoder", {"EncoderZero", "EncoderSpan"}},
        {"mnHg", {"GetInitials", "Hint"}},
        {"mnStandard", {"GetInitials"}},
        {"mnDeltaQtable", {"GetInitials"}},
        {"mnuPrtQtbl", {"PrintQtable"}},
        {"mnuIC", {"IC"}},
        {"mnPrgInfo", {"Proginfo"}},
        {"mnOperParam", {"OperParam"}},
    };
    for (const auto& [entry, screens] : entries) {
        int faults = 0;
        ScriptedOperator op;
        for (const QString& screen : screens) {
            op.On(screen, [&](QWidget* modal) {
                if (main->Timer1()->isActive() || main->windowTitle() != title) {
                    ++faults;
                }
                // Every screen a menu entry opens is left by Escape.
                QTest::keyClick(modal, Qt::Key_Escape);
            });
        }
        Action(*main, entry)->trigger();
        EXPECT_EQ(op.Seen(), screens) << entry;
        EXPECT_EQ(faults, 0) << entry;
        EXPECT_EQ(main->windowTitle(), title) << entry;
        EXPECT_TRUE(main->Timer1()->isActive()) << entry << ": the timer restarted";
    }
}

TEST_F(MainScreenTest, TheWoudcFileOfADayNamesTheRecordsItLeftOut) {
    station.Write("data/D06083.999",
                  "\"Boulder, Colorado\"\r\nDobson,61 \r\n03/24/2006\r\n08:00:00\r\n" +
                      QByteArray(70, '=') + "\r\n" +
                      "OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2\r\n"
                      " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 120000 03 06\r\n"
                      "OBS,03/24/2006,130000\r\n");
    auto main = Make();
    ASSERT_TRUE(main->Load());
    ScriptedOperator op;
    op.On("WoudcDate", [](QWidget* ask) {
        auto* date = ask->findChild<QLineEdit*>("txtWoudcDate");
        date->setText("03/24/2006");
        QTest::keyClick(date, Qt::Key_Return); // Enter presses the default OK
    });
    messages.Expect("WOUDC file");
    Action(*main, "mnWoudc")->trigger();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], "Written: " + station.DataDir() +
                                     "20060324.Dobson.Beck.061.QUILLON.csv\nLeft out:\n"
                                     "D06083.999: The record on line 8 cannot be read: OBS "
                                     "record whose numbers are not all numbers.");

    // Asked to leave out the flagged ones: on this practice day (.999)
    // every observation is flagged, so no file, and why.
    op.On("WoudcDate", [](QWidget* ask) {
        ask->findChild<QLineEdit*>("txtWoudcDate")->setText("03/24/2006");
        auto* leaveOut = ask->findChild<QCheckBox*>("chkLeaveOutFlagged");
        EXPECT_FALSE(leaveOut->isChecked());
        // Tab from the date to the box, Space ticks it.
        QTest::keyClick(ask->findChild<QLineEdit*>("txtWoudcDate"), Qt::Key_Tab);
        ASSERT_TRUE(leaveOut->hasFocus());
        QTest::keyClick(leaveOut, Qt::Key_Space);
        EXPECT_TRUE(leaveOut->isChecked());
        QTest::keyClick(ask->findChild<QLineEdit*>("txtWoudcDate"), Qt::Key_Return);
    });
    messages.Expect("WOUDC file");
    Action(*main, "mnWoudc")->trigger();
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(messages.texts[1], "no observation of 03/24/2006 can be sent to WOUDC (1 flagged "
                                 "observation(s) left out, no other)");
    // Escape closes the dialog and exports nothing.
    op.On("WoudcDate", [](QWidget* ask) { QTest::keyClick(ask, Qt::Key_Escape); });
    Action(*main, "mnWoudc")->trigger();
    EXPECT_EQ(messages.texts.size(), 2);
}

TEST_F(MainScreenTest, TheHelpLineWarnsWhileTheSystemClockIsNotSynchronised) {
    auto main = Make();
    bool synchronised = false;
    main->SetClockSyncCheck([&synchronised] { return synchronised; });
    ASSERT_TRUE(main->Load());
    EXPECT_EQ(main->findChild<QLabel*>("Label1")->text(),
              "DATE AND TIME ARE SET BY THE SYSTEM: KEEP ITS NETWORK TIME SERVICE RUNNING");
    auto* help = main->findChild<QLabel*>("Label2");
    EXPECT_EQ(help->text(), "THE SYSTEM CLOCK IS NOT SYNCHRONISED: every observation's time comes "
                            "from it. Start its network time service (timedatectl set-ntp true).");
    // The time service catches up: the next tick says so.
    synchronised = true;
    main->Tick();
    EXPECT_EQ(help->text(), "Help: ask your network's Dobson station coordinator (see the README "
                            "of this program).");
}

TEST_F(MainScreenTest, WithoutAnEncoderItsEntriesAreOff) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    EXPECT_FALSE(Action(*main, "muEncoder")->isEnabled());
    EXPECT_FALSE(main->findChild<QPushButton*>("CmdEncRst")->isEnabled());
    main->Tick();
    EXPECT_EQ(Text(*main, "lblDispRpos"), "NoEnc");
    EXPECT_EQ(fakes.link.requests, 0);
}

TEST_F(MainScreenTest, ClosingTheWindowRunsTheExitSequence) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    main->show();
    int passes = 0;
    main->SetTransferAction([&] { ++passes; });
    messages.Expect("Press Yes to Transfer files and exit -- No to just exit.");
    messages.answer = true;
    main->close();
    EXPECT_EQ(passes, 1);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainScreenTest, ParameterScreenShowsTheStationDuringItsWait) {
    auto main = Make();
    QStringList shown;
    bool visible = false;
    // The first of the clock's painting waits is the parameter screen's.
    QTimer::singleShot(0, [&] {
        // The main screen's own parameter screen, found by its name.
        if (auto* w = main->findChild<QWidget*>("OperParam")) {
            visible = w->isVisible();
            for (const char* name :
                 {"lblStation0", "lblStation1", "lblInstrument0", "lblInstrument2"}) {
                auto* label = w->findChild<QLabel*>(name);
                shown << (label ? label->text() : QStringLiteral("<none>"));
            }
        }
    });
    ASSERT_TRUE(main->Load());
    EXPECT_EQ(clock.PaintingWaits(), 1);
    EXPECT_TRUE(visible);
    // The demo station: its name and code, instrument 061 and its A pair's Q
    // (numbers with the leading blank of a positive value).
    EXPECT_EQ(shown, QStringList({"Boulder, Colorado", "BDR", "061", " 96.5"}));
}

TEST(FirstRun, MissingHomeOffersTheExampleStation) {
    QTemporaryDir dir;
    const QString home = dir.path() + "/station/";
    // Quit, Escape or the close button, and Space and Enter (quitting is the
    // harmless choice): nothing made.
    for (const ScriptedOperator::Answer& quit :
         {Click("cmmdQuit"), Press(Qt::Key_Escape), CloseWindow(), Press(Qt::Key_Space),
          Press(Qt::Key_Return), Press(Qt::Key_Q, Qt::AltModifier)}) {
        ScriptedOperator op;
        op.On("FirstRun", quit);
        EXPECT_FALSE(EnsureStationHome(home));
    }
    EXPECT_FALSE(QFileInfo::exists(home));
    // Copy: the whole example station, and nothing left beside it.
    ScriptedOperator op;
    op.On("FirstRun", Press(Qt::Key_C, Qt::AltModifier));
    EXPECT_TRUE(EnsureStationHome(home));
    EXPECT_TRUE(QFileInfo(home + "disc.cfg").isFile());
    EXPECT_TRUE(QFileInfo(home + "config/inst.cfg").isFile());
    // The archive password only for the station's own user.
    EXPECT_EQ(QFileInfo(home + "config/CallHome.cfg").permissions() &
                  0x7077, // owner, group, others
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_TRUE(QFileInfo(home + "config/inst.cfg").permissions() & QFileDevice::ReadOther);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"station"});
    // An existing home asks nothing.
    EXPECT_TRUE(EnsureStationHome(home));
}

TEST(ExampleStationStart, TheOperatorProgramStartsOnTheShippedExampleWithoutAFault) {
    // The whole example, its days and histories too.
    const TestStation station(TestStation::Contents::Everything);
    StationState vars;
    vars.setup.HomeDir = station.Home();
    // 20:00 UTC on 2 December 2026: 13:00 at the station, a day with records.
    TestServices fakes(vars, MakeDateTime(2026, 12, 2, 20, 0, 0));
    MainWindow main(fakes.services, vars);
    main.SetClockSyncCheck([] { return true; });
    ASSERT_TRUE(main.Load()); // any message box would fail the test
    EXPECT_NE(main.findChild<QLabel*>("lblADDSoz")->text(), "No ADDS Obs. Yet Today");
    EXPECT_TRUE(main.findChild<QLabel*>("lblADDSoz")->text().startsWith("2 ADDS"))
        << main.findChild<QLabel*>("lblADDSoz")->text().toStdString();
}

TEST_F(MainScreenTest, KeysDuringTheTicksSlowReadWaitAtTheGate) {
    // A slow counter: each reply a second after its request, so the tick's
    // read takes seconds; the operator's keys arrive while it polls.
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/ttyUSB0\r\n");
    fakes.link.SetValue(42.0);
    fakes.link.SetReplyDelay(1.0);
    auto main = Make();
    ASSERT_TRUE(main->Load());
    main->show();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    ASSERT_TRUE(SeekRange(6, DateSerial(2027, 1, 6) + 7.0 / 24.0)); // F1 ADDSGQP, F4 ADZC
    main->Tick(); // the range's entries and guidance
    const QString guidance = Text(*main, "lblMessage");
    ASSERT_FALSE(guidance.isEmpty());
    struct Case {
        const char* what;
        QList<Qt::Key> keys;
        QString shown; // the message line after the last key, during the read
        QStringList ran;
    };
    const Case cases[] = {
        {"F1 then F4: the latest wins",
         {Qt::Key_F1, Qt::Key_F4},
         "Waiting: ADZC after the dial read",
         {"ADZC"}},
        {"F1 then Escape: nothing runs", {Qt::Key_F1, Qt::Key_Escape}, guidance, {}},
        {"F1 twice: one observation",
         {Qt::Key_F1, Qt::Key_F1},
         "Waiting: ADDSGQP after the dial read",
         {"ADDSGQP"}},
    };
    for (const Case& c : cases) {
        started.clear();
        int poll = 0;
        QString shown;
        QStringList ranDuringRead;
        fakes.link.OnPoll([&] {
            if (poll < c.keys.size()) {
                QTest::keyClick(main.get(), c.keys[poll]);
            }
            if (++poll == c.keys.size()) {
                shown = Text(*main, "lblMessage");
                ranDuringRead = started;
            }
        });
        main->Tick();
        fakes.link.OnPoll({});
        EXPECT_EQ(shown, c.shown) << c.what;
        EXPECT_TRUE(ranDuringRead.isEmpty()) << c.what << ": nothing runs inside the read";
        EXPECT_EQ(Text(*main, "lblDispRpos"), "42.0") << c.what;
        QCoreApplication::processEvents(); // the waiting command runs from the event loop
        EXPECT_EQ(started, c.ran) << c.what;
    }
}

TEST_F(MainScreenTest, TheMessageLineAfterAWaitIsTheLatestMessage) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    main->show();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    ASSERT_TRUE(SeekRange(6, DateSerial(2027, 1, 6) + 7.0 / 24.0));
    main->Tick();
    {
        // F1 during a transfer that then fails: both lines show while F1
        // waits, the waiting one first.
        BusyGate::Hold transfer(fakes.gate, "the transfer");
        QTest::keyClick(main.get(), Qt::Key_F1);
        main->ShowMessageLine("Sending D27006.061");
        main->ShowMessageLine("Failed to send: D27006.061 (connection refused)");
        EXPECT_EQ(Text(*main, "lblMessage"), "Waiting: ADDSGQP after the transfer\n"
                                             "Failed to send: D27006.061 (connection refused)");
    }
    QCoreApplication::processEvents(); // F1 runs
    EXPECT_EQ(started, QStringList{"ADDSGQP"});
    EXPECT_EQ(Text(*main, "lblMessage"), "Failed to send: D27006.061 (connection refused)");
}
