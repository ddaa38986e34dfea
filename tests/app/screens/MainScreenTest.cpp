// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen offscreen: start-up order, title and headline, the
// one-second tick with its clocks, mu guidance and new day, the menu's
// shortcuts and the entries wired here.
#include "app/screens/FirstRunDialog.h"
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

namespace {

class MainScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars.setup.HomeDir = station.Home();
        // Lamp tests done recently, so start-up shows no overdue screen.
        station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\","
                                         "\"01/02/2027\",\"01/03/2027\"\r\n");
    }

    std::unique_ptr<MainWindow> Make() {
        auto window = std::make_unique<MainWindow>(fakes.services, vars);
        window->SetObservationRunner([this](const QString& type) { started << type; });
        return window;
    }

    static QString Text(QWidget& w, const char* name) {
        auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
    }

    static QAction* Action(QWidget& w, const char* name) {
        return w.findChild<QAction*>(QString::fromLatin1(name));
    }

    // Moves the clock through the local day until mu falls in `range`.
    bool SeekRange(int range, DateTimeValue day) {
        for (int minute = 0; minute < 24 * 60; ++minute) {
            clock.Set(day + minute / 1440.0);
            if (MuRangeFor(SunMu(vars.setup, clock.Now())) == range) {
                return true;
            }
        }
        return false;
    }

    // Answers the next modal screen from code, as soon as it is up.
    TestStation station;
    StationState vars;
    TestServices fakes{vars, MakeDateTime(2027, 1, 5, 19, 30, 0)};
    FakeClock& clock = fakes.clock;
    RecordingMessages& messages = fakes.messages;
    RecordingPlayer& player = fakes.player;
    QStringList started;
};

} // namespace

TEST_F(MainScreenTest, StartUpTitleHeadlineAndOrder) {
    auto main = Make();
    const DateTimeValue before = clock.Now();
    ASSERT_TRUE(main->Load());
    EXPECT_EQ(main->windowTitle(), "Main Form: Version date 07Apr06:Carddatefixed 1");
    // The headline's day of year has three digits at start-up.
    EXPECT_EQ(Text(*main, "lblCaption"),
              "Main Menu 061 at Boulder, Colorado Day of Year:005 05 Jan 2027");
    EXPECT_EQ(Text(*main, "Promptext"), "Computer controls speed.");
    EXPECT_EQ(main->findChild<QPushButton*>("CmmdPrompting")->text(),
              " Change to obs'r controlled s&Peed");
    EXPECT_EQ(vars.settings.ComputerTimed, 1);
    EXPECT_TRUE(main->Timer1()->isActive());
    EXPECT_EQ(main->Timer1()->interval(), 1000);
    // The parameter screen stayed up for 3 seconds of the clock.
    EXPECT_NEAR((clock.Now() - before) * 86400.0, 3.0, 0.01);
    // Local date 5 Jan at UTC-7; the archive-site comment opened the day file,
    // then the calibration in use.
    const QStringList lines = SplitLines(DecodeWindows1252(station.Read("data/D27005.999")));
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], "\"Boulder, Colorado\"");
    EXPECT_EQ(lines[5], "\"COMMENT\",\"01/05/2027\",\"12:30:00\",1");
    EXPECT_EQ(lines[6], "\"New Ftp Site Defined\"");
    EXPECT_EQ(lines[8], "\"Quillon 1.0 N-table 03/12/2024 Lampcorr 11/30/2026 STD-61A "
                        "Q-table 06/15/2026\"");
    // The file already holds the comment, so start-up summarised it.
    EXPECT_EQ(Text(*main, "lblADDSoz"), "No ADDS type observations this day.");
    EXPECT_EQ(Text(*main, "lblADZenOz"), "No AD zenith type observations this day. ");
    EXPECT_TRUE(messages.titles.isEmpty());

    // A second load in the same run does not read the configuration again.
    station.Write("config/station.cfg", "garbage\r\n");
    ASSERT_TRUE(main->Load());
    EXPECT_EQ(SplitLines(DecodeWindows1252(station.Read("data/D27005.999"))).size(), 9);
}

TEST_F(MainScreenTest, FatalFileErrorStopsStartUp) {
    station.Remove("config/station.cfg");
    auto main = Make();
    messages.Expect("Fatal File Error");
    EXPECT_FALSE(main->Load());
    ASSERT_EQ(messages.titles.size(), 1);
    EXPECT_EQ(messages.titles[0], "Fatal File Error");
    EXPECT_TRUE(messages.texts[0].endsWith(":STATION.CFG\nFile not found\nSystem is stopped"));
    EXPECT_FALSE(main->Timer1()->isActive());
}

TEST_F(MainScreenTest, LampOverDueScreenWarnsAndContinues) {
    clock.Set(MakeDateTime(2027, 2, 3, 19, 0, 0));
    auto main = Make();
    QString stdDays;
    QString hgDays;
    ScriptedOperator op;
    op.On("LampOverDue", [&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), "The system is overdue for a calibration check.");
        stdDays = modal->findChild<QLabel*>("lblStdDays")->text();
        hgDays = modal->findChild<QLabel*>("lblHgDays")->text();
        EXPECT_EQ(modal->findChild<QTimer*>("Timer1")->interval(), 10000);
        modal->findChild<QPushButton*>("cmmdContinue")->click();
    });
    ASSERT_TRUE(main->Load());
    EXPECT_EQ(stdDays, "31");
    EXPECT_EQ(hgDays, "32");
    ASSERT_FALSE(player.played.empty());
    EXPECT_EQ(player.played.front(), 134);
}

TEST_F(MainScreenTest, TickShowsClocksMuAndNightGuidance) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    clock.Set(MakeDateTime(2027, 1, 6, 6, 15, 42)); // 23:15 local, sun down
    main->Tick();
    EXPECT_EQ(Text(*main, "lblDispTime"), "06:15:42");
    EXPECT_EQ(Text(*main, "lblLocalTime"), "23:15:42");
    EXPECT_EQ(Text(*main, "LblLdate"), "05 Jan 2027");
    EXPECT_EQ(Text(*main, "lblDispMu"), "No Sun");
    EXPECT_EQ(Text(*main, "lblDispRpos"), "NoEnc");
    EXPECT_EQ(main->MuRange(), 1);
    EXPECT_EQ(Text(*main, "lblMessage"),
              "The Sun Is Under the Horizon -- Only Moon Obs Possible \n-- Press Alt O for Menu");
    EXPECT_TRUE(main->findChild<QGroupBox*>("frmFkeys")->isHidden());
    for (const ObservationEntry& e : ObservationEntries()) {
        const bool moon = QString(e.code).contains("RM");
        EXPECT_EQ(Action(*main, e.menuName)->isVisible(), moon) << e.code;
        EXPECT_EQ(Action(*main, e.menuName)->isEnabled(), moon) << e.code;
    }
    EXPECT_TRUE(Action(*main, "mmuComment")->isEnabled());
    EXPECT_EQ(main->Timer1()->interval(), 1000);
    EXPECT_TRUE(main->Timer1()->isActive());
}

TEST_F(MainScreenTest, EachDaytimeRangeOffersItsEntriesAndLabels) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    main->show();
    // Early July at Boulder the sun reaches mu below 1.15 at noon. Each
    // range's help lines, the observation entries it enables and the F-key
    // labels it shows (F1 ADDSGQP ... F11 CDZC; moon entries only by night).
    struct Range {
        int range;
        const char* message;
        QStringList entries;
        QStringList labels;
    };
    const QString overlap = "Currently in AD-CD overlap region -- \n"
                            "Both Focused Image and GQP type observations can be made.\n"
                            "Very helpful to make multiple observations with various types.";
    const QStringList overlapEntries = {"ADDSGQP", "CDDSGQP", "ADZB", "CCZB", "CCZC",
                                        "ADDSFI",  "CDDSFI",  "CDZB", "CDZC"};
    const Range ranges[] = {
        {2,
         "Sun is low on the Horizon, Focused Sun Observations Possible\n"
         "-- Or Experimental CD Zenith Observations.",
         {"CDDSFI", "CDZB", "CDZC"},
         {"CDDSFI", "CDZB", "CDZC"}},
        {3,
         "The Sun is low on the Horizon, Focused Image Sun Observations\n"
         "or zenith observations possible.",
         {"ADDSGQP", "CDDSGQP", "CCZB", "CCZC", "CDZB", "CDZC", "ADDSFI", "CDDSFI"},
         {"CCZB", "CCZC", "CDDSFI", "ADDSFI", "CDZB", "CDZC"}},
        {4,
         "",
         overlapEntries,
         {"CDDSGQP", "ADZB", "CCZB", "CCZC", "CDDSFI", "ADDSFI", "CDZB", "CDZC"}},
        {5,
         "",
         overlapEntries,
         {"ADDSGQP", "CDDSGQP", "ADZB", "CCZB", "CCZC", "CDDSFI", "ADDSFI", "CDZB", "CDZC"}},
        {6,
         "Currently in the Main Observation Mu range.\n"
         "Multiple Observations on various observation types are always useful.",
         {"ADDSGQP", "CDDSGQP", "ADZB", "ADZC", "CCZB", "CCZC", "CDZB", "CDZC"},
         {"ADDSGQP", "CDDSGQP", "ADZB", "ADZC", "CCZB", "CCZC", "CDZB", "CDZC"}},
        {7,
         "Currently in the high Sun mu range.\n"
         "Multiple Observations on various observation types is always useful",
         {"ADDSGQP", "CDDSGQP", "ADZB", "ADZC", "CCZB", "CCZC"},
         {"ADDSGQP", "ADZB", "ADZC", "CCZB", "CCZC"}},
        {8,
         "High Sun -- for direct sun remove lens from the sun director",
         {"ADDSGQP", "CCZB", "CCZC"},
         {"ADDSGQP", "CCZB", "CCZC"}},
    };
    const DateTimeValue day = DateSerial(2027, 7, 2) + 7.0 / 24.0;
    for (const Range& r : ranges) {
        const int range = r.range;
        ASSERT_TRUE(SeekRange(range, day)) << range;
        main->Tick();
        ASSERT_EQ(main->MuRange(), range);
        EXPECT_EQ(Text(*main, "lblMessage"), *r.message ? QString(r.message) : overlap) << range;
        EXPECT_TRUE(main->findChild<QGroupBox*>("frmFkeys")->isVisible()) << range;
        for (const ObservationEntry& e : ObservationEntries()) {
            EXPECT_EQ(Action(*main, e.menuName)->isEnabled(), r.entries.contains(e.code))
                << range << e.code;
            if (*e.labelName) {
                EXPECT_EQ(main->findChild<QLabel*>(e.labelName)->isVisible(),
                          r.labels.contains(e.code))
                    << range << e.code;
            }
        }
    }
}

TEST_F(MainScreenTest, GuidanceNotRebuiltWhileRangeStays) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    clock.Set(MakeDateTime(2027, 1, 6, 6, 0, 0));
    main->Tick();
    auto* message = main->findChild<QLabel*>("lblMessage");
    message->setText("operator is reading this");
    clock.Advance(60);
    main->Tick();
    EXPECT_EQ(message->text(), "operator is reading this");
}

TEST_F(MainScreenTest, NewDayAtLocalMidnightNotUtcMidnight) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    bool transferred = false;
    QString headlineDuringTransfer;
    main->SetTransferAction([&] {
        transferred = true;
        headlineDuringTransfer = Text(*main, "lblCaption");
    });
    clock.Set(MakeDateTime(2027, 1, 6, 0, 0, 5)); // UTC midnight: still 5 Jan locally
    main->Tick();
    EXPECT_FALSE(transferred);
    EXPECT_FALSE(QFile::exists(station.DataDir() + "D27006.999"));
    clock.Set(MakeDateTime(2027, 1, 6, 7, 0, 1)); // local midnight at UTC-7
    main->Tick();
    EXPECT_TRUE(transferred);
    EXPECT_EQ(Text(*main, "lblCaption"),
              "Main Menu 061 at Boulder, Colorado Day of Year:6 06 Jan 2027");
    // The operator sees the new day before the transfer starts.
    EXPECT_EQ(headlineDuringTransfer, Text(*main, "lblCaption"));
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D27006.999"));
    // The new day file begins with the calibration in use; the summary
    // takes no notice of it.
    const QStringList newDay = SplitLines(DecodeWindows1252(station.Read("data/D27006.999")));
    ASSERT_GE(newDay.size(), 7);
    EXPECT_EQ(newDay[6], "\"Quillon 1.0 N-table 03/12/2024 Lampcorr 11/30/2026 STD-61A "
                         "Q-table 06/15/2026\"");
    EXPECT_EQ(Text(*main, "lblADDSoz"), "No ADDS Obs. Yet Today");
    EXPECT_EQ(vars.day.LocalDate, DateSerial(2027, 1, 6));
}

TEST_F(MainScreenTest, SpeedModeToggleTwice) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    auto* button = main->findChild<QPushButton*>("CmmdPrompting");
    button->click();
    EXPECT_EQ(button->text(), "Change to computer con&Trolled speed");
    EXPECT_EQ(Text(*main, "Promptext"), "Observer controls speed.");
    EXPECT_EQ(vars.settings.ComputerTimed, 0);
    button->click();
    EXPECT_EQ(button->text(), " Change to obs'r controlled s&Peed");
    EXPECT_EQ(Text(*main, "Promptext"), "Computer controls speed.");
    EXPECT_EQ(vars.settings.ComputerTimed, 1);
}

TEST_F(MainScreenTest, ShortcutKeysWorkOnlyWhileOffered) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    main->show();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    clock.Set(MakeDateTime(2027, 1, 6, 6, 0, 0)); // night
    main->Tick();
    QTest::keyClick(main.get(), Qt::Key_F1);
    EXPECT_TRUE(started.isEmpty());
    QTest::keyClick(main.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(started, QStringList{"ADRMFI"});
    EXPECT_TRUE(main->Timer1()->isActive()); // restarted after the hand-over
    EXPECT_TRUE(main->isVisible());

    ASSERT_TRUE(SeekRange(6, DateSerial(2027, 1, 6) + 7.0 / 24.0));
    main->Tick();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QTest::keyClick(main.get(), Qt::Key_F1);
    EXPECT_EQ(started.last(), "ADDSGQP");
    // The shortcut label clicks its entry.
    QTest::mouseClick(main->findChild<QLabel*>("lblF4"), Qt::LeftButton);
    EXPECT_EQ(started.last(), "ADZC");
}

TEST_F(MainScreenTest, CommentEntryWritesItsRecord) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    ScriptedOperator op;
    op.On("addcmmt", [](QWidget* modal) {
        auto* box = modal->findChild<QLineEdit*>("txtCmmt");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(modal->findChild<QLabel*>("lblErr")->text(),
                  "No Text -- Enter Text or press Escape");
        QTest::keyClicks(box, "Thin cirrus to the west");
        QTest::keyClick(box, Qt::Key_Return);
    });
    Action(*main, "mmuComment")->trigger();
    const QStringList lines = SplitLines(DecodeWindows1252(station.Read("data/D27005.999")));
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[10], "\"Thin cirrus to the west\"");
    EXPECT_EQ(player.played.back(), 137); // the comment screen's information cue
    EXPECT_TRUE(main->Timer1()->isActive());

    // Escape writes nothing.
    op.On("addcmmt", [](QWidget* modal) {
        QTest::keyClick(modal->findChild<QLineEdit*>("txtCmmt"), Qt::Key_Escape);
    });
    Action(*main, "mmuComment")->trigger();
    EXPECT_EQ(SplitLines(DecodeWindows1252(station.Read("data/D27005.999"))).size(), 11);
}

TEST_F(MainScreenTest, InformationScreens) {
    auto main = Make();
    ASSERT_TRUE(main->Load());
    QStringList values;
    ScriptedOperator op;
    op.On("Proginfo", [&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), "Program Parameters for Dobson Driver Program");
        values << modal->findChild<QLabel*>("lblInfo0")->text()
               << modal->findChild<QLabel*>("lblInfo4")->text();
        QTest::keyClick(modal, Qt::Key_Space);
    });
    Action(*main, "mnPrgInfo")->trigger();
    EXPECT_EQ(values, QStringList({"07Apr06:Carddatefixed", "01/02/2027"}));
    op.On("OperParam", [&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), "Station and Instrument Parameters");
        values << modal->findChild<QLabel*>("lblStation0")->text();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    Action(*main, "mnOperParam")->trigger();
    EXPECT_EQ(values.last(), "Boulder, Colorado");
    op.On("Summary", [&](QWidget* modal) {
        values << modal->findChild<QLabel*>("lblCaption")->text();
        modal->close();
    });
    Action(*main, "mnTODAY")->trigger();
    EXPECT_EQ(values.last(), "Summary for TODAY:01/05/2027 So far");
}

TEST(Guidance, RangeBoundaries) {
    EXPECT_EQ(MuRangeFor(-0.5), 1);
    EXPECT_EQ(MuRangeFor(4.41), 2);
    EXPECT_EQ(MuRangeFor(4.4), 3);
    EXPECT_EQ(MuRangeFor(3.5), 3);
    EXPECT_EQ(MuRangeFor(3.49999999995), 0); // a gap: guidance kept
    EXPECT_EQ(MuRangeFor(3.0), 4);
    EXPECT_EQ(MuRangeFor(2.4), 5);
    EXPECT_EQ(MuRangeFor(2.0), 6);
    EXPECT_EQ(MuRangeFor(1.15), 7);
    EXPECT_EQ(MuRangeFor(1.1), 8);
    EXPECT_EQ(MuRangeFor(1.015), 8);
    EXPECT_EQ(MuRangeFor(1.0), 9);
    EXPECT_EQ(MuRangeFor(0.5), 0);
    // Entries offered without their label.
    EXPECT_TRUE(GuidanceFor(3).entries.contains("ADDSGQP"));
    EXPECT_FALSE(GuidanceFor(3).labels.contains("ADDSGQP"));
    EXPECT_FALSE(GuidanceFor(3).labels.contains("CDDSGQP"));
    EXPECT_FALSE(GuidanceFor(4).labels.contains("ADDSGQP"));
    EXPECT_FALSE(GuidanceFor(7).labels.contains("CDDSGQP"));
    EXPECT_TRUE(GuidanceFor(7).entries.contains("CDDSGQP"));
    EXPECT_FALSE(GuidanceFor(1).showShortcutFrame);
    EXPECT_FALSE(GuidanceFor(9).showShortcutFrame);
}

TEST_F(MainScreenTest, TickReadsTheDialAndCountsInTheTitle) {
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/ttyUSB0\r\n");
    fakes.link.SetValue(152.34);
    auto main = Make();
    ASSERT_TRUE(main->Load());
    EXPECT_TRUE(fakes.link.IsOpen());
    EXPECT_EQ(fakes.link.Device(), "/dev/ttyUSB0");
    main->Tick();
    main->Tick();
    EXPECT_EQ(Text(*main, "lblDispRpos"), "152.3");
    EXPECT_EQ(main->windowTitle(), "Main Form: Version date 07Apr06:Carddatefixed 2");
    // Records now go to the instrument's own day file.
    EXPECT_TRUE(QFile::exists(station.DataDir() + "D27005.061"));

    main->findChild<QCheckBox*>("ChkBoxEncoder")->setChecked(false);
    main->Tick();
    EXPECT_EQ(Text(*main, "lblDispRpos"), "NoEnc");
    EXPECT_EQ(main->ReadCount(), 2);

    main->findChild<QCheckBox*>("ChkBoxEncoder")->setChecked(true);
    main->findChild<QPushButton*>("CmdEncRst")->click();
    EXPECT_TRUE(fakes.link.written.contains("N2VA0*"));
    EXPECT_TRUE(main->Timer1()->isActive());

    messages.Expect("ReadEncdr Error");
    fakes.link.SetMode(FakeCounterLink::Mode::Silent);
    main->Tick();
    EXPECT_EQ(messages.titles.last(), "ReadEncdr Error");
    EXPECT_EQ(fakes.programEnds, 1);
}

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
                QTest::keyClick(modal, Qt::Key_Escape);
                if (QApplication::activeModalWidget() == modal) {
                    modal->close(); // a screen that takes no Escape: its close button
                }
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
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "OperParam") {
                visible = w->isVisible();
                for (const char* name :
                     {"lblStation0", "lblStation1", "lblInstrument0", "lblInstrument2"}) {
                    auto* label = w->findChild<QLabel*>(name);
                    shown << (label ? label->text() : QStringLiteral("<none>"));
                }
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
