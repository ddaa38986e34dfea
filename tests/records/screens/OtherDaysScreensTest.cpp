// SPDX-License-Identifier: GPL-3.0-or-later
// The other-days screens offscreen: a directory chosen, a day picked, its
// summary file made, and backing up one step at a time.
#include "records/screens/OtherDaysScreens.h"
#include "records/DayFileFixtures.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(OtherDaysScreens, ChooseADirectoryPickADayMakeItsSummary) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2007, 4, 7, 20, 0, 0));
    QTemporaryDir archive;
    QFile day(archive.filePath("D07097.999"));
    ASSERT_TRUE(day.open(QIODevice::WriteOnly));
    day.write(Header("04/07/2007") + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2"));
    day.close();
    QString summaryLine;
    QString freeText;
    ScriptedOperator op;
    op.On("Explain", Press(Qt::Key_Space));
    op.On("ChooseDir", [&](QWidget* m) {
        // The chooser starts in the data directory; go to the archive.
        auto* dirs = m->findChild<QListWidget*>("Dir1");
        auto* path = m->findChild<QLabel*>("lblPath");
        EXPECT_EQ(path->text() + "/", vars.setup.DataDir);
        dirs->addItem(archive.path()); // an absolute entry opens that directory
        dirs->setCurrentRow(dirs->count() - 1);
        m->findChild<QPushButton*>("cmmdOpen")->click();
        EXPECT_EQ(path->text(), archive.path());
        m->findChild<QPushButton*>("cmmdSelect")->click();
    });
    op.On("DayList", [&](QWidget* m) {
        // The whole title fits: "Select a series of Day Files for Instrument 061".
        EXPECT_EQ(m->windowTitle(), "Select a series of Day Files for Instrument 061");
        EXPECT_GE(m->width(), m->fontMetrics().horizontalAdvance(m->windowTitle()) + 100);
        auto* days = m->findChild<QListWidget*>("Dayfiles");
        EXPECT_EQ(days->count(), 1);
        days->setCurrentRow(0);
        summaryLine = m->findChild<QLabel*>("lblSummary_0")->text();
        freeText = m->findChild<QLabel*>("lblFree")->text();
        EXPECT_EQ(m->findChild<QLabel*>("lblSumFile")->text(), "S07097.999");
        m->findChild<QPushButton*>("cmmdMake")->click();
        // "e&Xit or Escape key to backup.": one step back, to the chooser.
        QTest::keyClick(m, Qt::Key_Escape);
    });
    // From the chooser, Escape goes back to the top level.
    op.On("ChooseDir", Press(Qt::Key_Escape));
    RunOtherDays(fakes.services, nullptr);
    EXPECT_EQ(op.Seen(), QStringList({"Explain", "ChooseDir", "DayList", "ChooseDir"}));
    EXPECT_EQ(summaryLine, "One ADDS Obs with Ozone=300.0 DU at 120000; Mu:2.000");
    EXPECT_FALSE(freeText.isEmpty());
    EXPECT_TRUE(QFile::exists(archive.filePath("S07097.999")));
}

TEST(OtherDaysScreens, TheKeysOfEachScreen) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2007, 4, 7, 20, 0, 0));
    station.Write("data/D07097.999",
                  Header("04/07/2007") + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2"));
    const auto focusOn = [](const char* button, int key) -> ScriptedOperator::Answer {
        return [button, key](QWidget* m) {
            auto* b = m->findChild<QPushButton*>(button);
            b->setFocus();
            QTest::keyClick(b, static_cast<Qt::Key>(key));
        };
    };
    const auto activeThen = [](ScriptedOperator::Answer answer) -> ScriptedOperator::Answer {
        return [answer](QWidget* m) {
            QApplication::setActiveWindow(m); // shortcuts go to the active window
            answer(m);
        };
    };
    // Explain: Space and Enter go on, Escape and the title bar go back.
    for (const auto& [what, answer, goesOn] : {std::tuple{"Space", Press(Qt::Key_Space), true},
                                               std::tuple{"Enter", Press(Qt::Key_Return), true},
                                               std::tuple{"Escape", Press(Qt::Key_Escape), false},
                                               std::tuple{"close", CloseWindow(), false}}) {
        ScriptedOperator op;
        op.On("Explain", answer);
        if (goesOn) {
            op.On("ChooseDir", Press(Qt::Key_Escape));
        }
        RunOtherDays(fakes.services, nullptr);
        EXPECT_EQ(op.Seen().size(), goesOn ? 2 : 1) << what;
    }
    // The chooser: Escape, the title bar, Space or Enter on the focused
    // back button go back; Alt+S, and Enter on the focused select button,
    // take the data directory to the day list, whose Escape, title bar,
    // Alt+X and Enter on e&Xit come back to the chooser.
    const std::pair<const char*, ScriptedOperator::Answer> back[] = {
        {"Escape", Press(Qt::Key_Escape)},
        {"close", CloseWindow()},
        {"Space on back", focusOn("cmmdExit", Qt::Key_Space)},
        {"Enter on back", focusOn("cmmdExit", Qt::Key_Return)},
    };
    for (const auto& [what, answer] : back) {
        ScriptedOperator op;
        op.On("Explain", Press(Qt::Key_Space));
        op.On("ChooseDir", answer);
        RunOtherDays(fakes.services, nullptr);
        EXPECT_EQ(op.Seen(), QStringList({"Explain", "ChooseDir"})) << what;
    }
    const std::pair<const char*, ScriptedOperator::Answer> select[] = {
        {"Alt+S", activeThen(Press(Qt::Key_S, Qt::AltModifier))},
        {"Enter on select", focusOn("cmmdSelect", Qt::Key_Return)},
    };
    const std::pair<const char*, ScriptedOperator::Answer> leaveList[] = {
        {"Escape", Press(Qt::Key_Escape)},
        {"close", CloseWindow()},
        {"Alt+X", activeThen(Press(Qt::Key_X, Qt::AltModifier))},
        {"Enter on exit", focusOn("cmmdExit", Qt::Key_Return)},
    };
    for (const auto& [how, choose] : select) {
        for (const auto& [what, leave] : leaveList) {
            ScriptedOperator op;
            op.On("Explain", Press(Qt::Key_Space));
            op.On("ChooseDir", choose);
            op.On("DayList", leave);
            op.On("ChooseDir", Press(Qt::Key_Escape));
            RunOtherDays(fakes.services, nullptr);
            EXPECT_EQ(op.Seen(), QStringList({"Explain", "ChooseDir", "DayList", "ChooseDir"}))
                << how << ", " << what;
        }
    }
    // The day list: a day chosen, Alt+S makes its summary file (the
    // button's animated click lands from the event loop), then Escape.
    const QString summaryFile = station.DataDir() + "S07097.999";
    ScriptedOperator op;
    op.On("Explain", Press(Qt::Key_Space));
    op.On("ChooseDir", Click("cmmdSelect"));
    op.When(
        "DayList", [](QWidget*) { return true; },
        [](QWidget* m) {
            m->findChild<QListWidget*>("Dayfiles")->setCurrentRow(0);
            QApplication::setActiveWindow(m);
            QTest::keyClick(m->focusWidget(), Qt::Key_S, Qt::AltModifier);
        });
    op.When(
        "DayList", [&summaryFile](QWidget*) { return QFile::exists(summaryFile); },
        Press(Qt::Key_Escape));
    op.On("ChooseDir", Press(Qt::Key_Escape));
    RunOtherDays(fakes.services, nullptr);
    EXPECT_TRUE(QFile::exists(summaryFile));
}
