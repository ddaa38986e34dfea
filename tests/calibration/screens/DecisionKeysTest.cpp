// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the calibration's decision screens: Space and Enter press the
// harmless choice, Escape and the title-bar close take the escape choice,
// and a choice that writes a calibration is taken only by its own access
// key or a click.
#include "calibration/screens/QTableScreens.h"
#include "calibration/screens/StandardScreen.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(DecisionKeys, BigCorrectionChangeUsesTheNewValuesOnlyByAltS) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    StandardScreen screen(fakes.services);
    const QStringList lines = {"A correction changed by 2.5 N."};
    struct Case {
        const char* what;
        ScriptedOperator::Answer answer;
        bool usesNewValues;
    };
    const Case cases[] = {
        {"Space", Press(Qt::Key_Space), false},
        {"Enter", Press(Qt::Key_Return), false},
        {"Escape", Press(Qt::Key_Escape), false},
        {"close", CloseWindow(), false},
        {"Alt+S", Press(Qt::Key_S, Qt::AltModifier), true},
        {"click on use", Click("cmmdChoice1"), true},
        {"click on start over", Click("cmmdChoice2"), false},
    };
    for (const Case& c : cases) {
        ScriptedOperator op;
        op.On("Big_corr_change", c.answer);
        EXPECT_EQ(screen.BigCorrectionChange(lines), c.usesNewValues) << c.what;
        EXPECT_EQ(op.Seen(), QStringList{"Big_corr_change"}) << c.what;
    }
    // Each time the warning cue played first.
    EXPECT_EQ(std::count(fakes.player.played.begin(), fakes.player.played.end(), 134), 7);
}

TEST(DecisionKeys, LampTestEscapeChoiceWarnsAndItsKeys) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    StandardScreen screen(fakes.services);
    struct Case {
        const char* what;
        ScriptedOperator::Answer answer;
        int choice;
    };
    // Space and Enter: redo this measurement (the first, harmless choice);
    // Escape and the close button: back to the top level (the fifth).
    const Case cases[] = {
        {"Space", Press(Qt::Key_Space), 1},
        {"Enter", Press(Qt::Key_Return), 1},
        {"Escape", Press(Qt::Key_Escape), 5},
        {"close", CloseWindow(), 5},
        {"click on a new lamp", Click("cmmdChoice4"), 4},
    };
    for (const Case& c : cases) {
        ScriptedOperator op;
        op.On("Handle_ESC", c.answer);
        EXPECT_EQ(screen.EscapeChoice("During the C measurement"), c.choice) << c.what;
    }
    EXPECT_EQ(std::count(fakes.player.played.begin(), fakes.player.played.end(), 134), 5);
}

TEST(DecisionKeys, BlunderGoesOnByDefaultAndEscapeStartsOver) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    StandardScreen screen(fakes.services);
    struct Case {
        const char* what;
        ScriptedOperator::Answer answer;
        int choice; // 0 continue, 1 start over with this lamp, 2 a new lamp
    };
    const Case cases[] = {
        {"Space", Press(Qt::Key_Space), 0},
        {"Enter", Press(Qt::Key_Return), 0},
        {"Escape", Press(Qt::Key_Escape), 1},
        {"close", CloseWindow(), 1},
        {"Alt+C", Press(Qt::Key_C, Qt::AltModifier), 0},
        {"click on a new lamp", Click("cmmdChoice3"), 2},
    };
    for (const Case& c : cases) {
        ScriptedOperator op;
        op.On("blunder", c.answer);
        EXPECT_EQ(screen.GrossError(), c.choice) << c.what;
    }
    EXPECT_EQ(std::count(fakes.player.played.begin(), fakes.player.played.end(), 134), 6);
}

TEST(DecisionKeys, QTableEscapedValueRetriedBySpaceOrEnterAndLeftByEscapeOrClose) {
    struct Case {
        const char* what;
        ScriptedOperator::Answer answer;
        bool retries;
    };
    const Case cases[] = {
        {"Space", Press(Qt::Key_Space), true},
        {"Enter", Press(Qt::Key_Return), true},
        {"Escape", Press(Qt::Key_Escape), false},
        {"close", CloseWindow(), false},
    };
    for (const Case& c : cases) {
        TestStation station;
        StationState vars = LoadedVars(station);
        TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
        const QByteArray before = station.Read("config/inst.cfg");
        ScriptedOperator op;
        op.On("GetInitials", [](QWidget* m) {
            auto* box = m->findChild<QLineEdit*>("txtInitials");
            box->setFocus();
            QTest::keyClicks(box, "rde");
            QTest::keyClick(box, Qt::Key_Return);
        });
        op.On("AdjQtable", Click("CmmdContinue"));
        op.On("Inqadj", Press(Qt::Key_Escape));
        op.On("AdjEscape", c.answer);
        if (c.retries) {
            // Asked again; escaped again, and this time left.
            op.On("Inqadj", Press(Qt::Key_Escape));
            op.On("AdjEscape", Press(Qt::Key_Escape));
        }
        RunQTableReview(fakes.services, nullptr);
        EXPECT_EQ(op.Seen().count("Inqadj"), c.retries ? 2 : 1) << c.what;
        EXPECT_EQ(station.Read("config/inst.cfg"), before) << c.what;
    }
}
