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

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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
        EXPECT_EQ(screen.BigCorrectionChange(lines) == BigChangeChoice::UseNewValues,
                  c.usesNewValues)
            << c.what;
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
        LampEscapeChoice choice;
    };
    // Tab to a choice, then Enter: the choice Tab reached.
    const auto tabThenEnter = [](int tabs) {
        return [tabs](QWidget*) {
            for (int i = 0; i < tabs; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        };
    };
    // Space and Enter: redo this measurement (the first, harmless choice);
    // Escape and the close button: back to the top level (the fifth).
    const Case cases[] = {
        {"Space", Press(Qt::Key_Space), LampEscapeChoice::Redo},
        {"Enter", Press(Qt::Key_Return), LampEscapeChoice::Redo},
        {"Escape", Press(Qt::Key_Escape), LampEscapeChoice::TopLevel},
        {"close", CloseWindow(), LampEscapeChoice::TopLevel},
        {"click on a new lamp", Click("cmmdChoice4"), LampEscapeChoice::NewLamp},
        {"Tab, Enter", tabThenEnter(1), LampEscapeChoice::SequenceOver},
        {"Tab twice, Enter", tabThenEnter(2), LampEscapeChoice::StartOver},
        {"Tab three times, Enter", tabThenEnter(3), LampEscapeChoice::NewLamp},
        {"Tab four times, Enter", tabThenEnter(4), LampEscapeChoice::TopLevel},
    };
    for (const Case& c : cases) {
        ScriptedOperator op;
        op.On("Handle_ESC", c.answer);
        EXPECT_TRUE(screen.EscapeChoice("During the C measurement") == c.choice) << c.what;
    }
    EXPECT_EQ(std::count(fakes.player.played.begin(), fakes.player.played.end(), 134), 9);
}

TEST(DecisionKeys, BlunderGoesOnByDefaultAndEscapeStartsOver) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    StandardScreen screen(fakes.services);
    struct Case {
        const char* what;
        ScriptedOperator::Answer answer;
        GrossErrorChoice choice;
    };
    const Case cases[] = {
        {"Space", Press(Qt::Key_Space), GrossErrorChoice::Continue},
        {"Enter", Press(Qt::Key_Return), GrossErrorChoice::Continue},
        {"Escape", Press(Qt::Key_Escape), GrossErrorChoice::StartOver},
        {"close", CloseWindow(), GrossErrorChoice::StartOver},
        {"Alt+C", Press(Qt::Key_C, Qt::AltModifier), GrossErrorChoice::Continue},
        {"click on a new lamp", Click("cmmdChoice3"), GrossErrorChoice::NewLamp},
        {"Tab, Enter: start over",
         [](QWidget*) {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         },
         GrossErrorChoice::StartOver},
    };
    for (const Case& c : cases) {
        ScriptedOperator op;
        op.On("blunder", c.answer);
        EXPECT_TRUE(screen.GrossError() == c.choice) << c.what;
    }
    EXPECT_EQ(std::count(fakes.player.played.begin(), fakes.player.played.end(), 134), 7);
}

namespace {

// Types into a screen's box and presses Enter there.
void TypeInto(QWidget* screen, const char* box, const char* text) {
    auto* edit = screen->findChild<QLineEdit*>(box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// The Q-table adjustment with its new values shown.
bool AcceptEnabled(QWidget* screen) {
    return screen->findChild<QPushButton*>("cmmdAccept")->isEnabled();
}

} // namespace

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
        op.On("GetInitials", [](QWidget* m) { TypeInto(m, "txtInitials", "rde"); });
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

TEST(DecisionKeys, QTableAdjustmentKeysAndItsAcceptOnlyByAltAOrAClick) {
    struct Case {
        const char* what;
        ScriptedOperator::Answer answer;
        bool asks; // for the value; otherwise the review is left
    };
    const Case cases[] = {
        {"Space", Press(Qt::Key_Space), true},
        {"Enter", Press(Qt::Key_Return), true},
        {"Alt+C", Press(Qt::Key_C, Qt::AltModifier), true},
        {"Escape", Press(Qt::Key_Escape), false},
        {"close", CloseWindow(), false},
        {"Alt+X", Press(Qt::Key_X, Qt::AltModifier), false},
    };
    for (const Case& c : cases) {
        TestStation station;
        StationState vars = LoadedVars(station);
        TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
        const QByteArray before = station.Read("config/inst.cfg");
        ScriptedOperator op;
        op.On("GetInitials", [](QWidget* m) { TypeInto(m, "txtInitials", "rde"); });
        op.When(
            "AdjQtable", [](QWidget* m) { return !AcceptEnabled(m); }, c.answer);
        bool acceptTakesFocus = true;
        if (c.asks) {
            op.On("Inqadj", [](QWidget* m) { TypeInto(m, "txtAdjValue", "0.5"); });
            // The new values shown: Enter presses the focused re&Start,
            // which asks again; Accept cannot have the focus.
            op.When("AdjQtable", AcceptEnabled, [&acceptTakesFocus](QWidget* m) {
                acceptTakesFocus =
                    m->findChild<QPushButton*>("cmmdAccept")->focusPolicy() != Qt::NoFocus;
                EXPECT_EQ(m->focusWidget()->objectName(), "CmmdContinue");
                QTest::keyClick(m->focusWidget(), Qt::Key_Return);
            });
            // The title bar's close on the entry is its Escape.
            op.On("Inqadj", CloseWindow());
            op.On("AdjEscape", Press(Qt::Key_Escape));
        }
        RunQTableReview(fakes.services, nullptr);
        EXPECT_EQ(station.Read("config/inst.cfg"), before) << c.what;
        EXPECT_EQ(op.Seen().count("Inqadj"), c.asks ? 2 : 0) << c.what;
        if (c.asks) {
            EXPECT_FALSE(acceptTakesFocus) << c.what;
        }
    }

    // Alt+A takes the new values: 74.3 + 0.5 = 74.8 for Hg.
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    ScriptedOperator op;
    op.On("GetInitials", [](QWidget* m) { TypeInto(m, "txtInitials", "rde"); });
    op.When(
        "AdjQtable", [](QWidget* m) { return !AcceptEnabled(m); }, Press(Qt::Key_Space));
    op.On("Inqadj", [](QWidget* m) { TypeInto(m, "txtAdjValue", "0.5"); });
    op.When("AdjQtable", AcceptEnabled, [](QWidget* m) {
        // Back from the entry, the window system makes it the active window
        // again: a shortcut goes to the active window only.
        QApplication::setActiveWindow(m);
        QTest::keyClick(m, Qt::Key_A, Qt::AltModifier);
    });
    op.On("Qchanged", Press(Qt::Key_Space));
    RunQTableReview(fakes.services, nullptr);
    EXPECT_DOUBLE_EQ(vars.calibration.Q15Hg, 74.8);
    EXPECT_TRUE(station.Read("config/inst.cfg").startsWith("61\r\n-.25\r\n96.835\r\n"));
}
