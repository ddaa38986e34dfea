// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen offscreen: start-up order, title and headline, the
// one-second tick with its clocks, mu guidance and new day, the menu's
// shortcuts, the comment and information entries.
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
