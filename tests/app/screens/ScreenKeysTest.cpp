// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the screens that ask one thing: Space, Enter, Escape, the
// title bar and each access key, as the operator presses them.
#include "calibration/screens/QTableScreens.h"
#include "observe/screens/MoreobsScreen.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(ScreenKeys, PrintQtableWritesOnlyOnSpaceOrEnter) {
    TestStation station;
    StationState vars = LoadedVars(station);
    // 17:00 UTC on 24 March 2006: the table's file is day 083's.
    TestServices fakes(vars, MakeDateTime(2006, 3, 24, 17, 0, 0));
    const QString path = station.DataDir() + "QD06083.061";
    struct Case {
        const char* what;
        ScriptedOperator::Answer answer;
        bool written;
    };
    const Case cases[] = {
        {"Escape", Press(Qt::Key_Escape), false},
        {"close", CloseWindow(), false},
        {"Alt+X", Press(Qt::Key_X, Qt::AltModifier), false},
        {"click on e&Xit", Click("cmmdExit"), false},
        {"Space", Press(Qt::Key_Space), true},
        {"Enter", Press(Qt::Key_Return), true},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        ScriptedOperator op;
        op.On("PrintQtable", c.answer);
        RunPrintQTable(fakes.services, nullptr);
        EXPECT_EQ(QFile::exists(path), c.written) << c.what;
    }
}

TEST(ScreenKeys, MoreobsGoesBackUnlessATypeIsChosen) {
    struct Case {
        const char* what;
        ScriptedOperator::Answer answer;
        QString chosen;
    };
    const Case cases[] = {
        {"Space", Press(Qt::Key_Space), QString()},
        {"Enter", Press(Qt::Key_Return), QString()},
        {"Escape", Press(Qt::Key_Escape), QString()},
        {"close", CloseWindow(), QString()},
        {"Alt+X", Press(Qt::Key_X, Qt::AltModifier), QString()},
        {"F1", Press(Qt::Key_F1), "ADDSGQP"},
    };
    for (const Case& c : cases) {
        ScriptedOperator op;
        op.On("Moreobs", c.answer);
        MoreobsScreen screen({"ADDSGQP", "CCZB", "CCZC"}, 2.0);
        screen.exec();
        EXPECT_EQ(screen.chosen, c.chosen) << c.what;
    }
}
