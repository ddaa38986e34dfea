// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the shared decision screens, as an operator presses them:
// Space and Enter take the harmless choice, Escape and the title-bar close
// the escape, and a choice that writes a record only its own key or click.
#include "ui/DecisionScreens.h"
#include "observe/screens/ObservationDecisions.h"
#include "support/ScriptedOperator.h"
#include "ui/ContinueDialog.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
struct KeyCase {
    const char* what;
    ScriptedOperator::Answer answer;
    int outcome;
};
} // namespace

TEST(DecisionScreenKeys, ANoticeGoesOnByEveryKey) {
    // The lamp tests' warnings and verdicts ask nothing: every way out goes
    // on, and the notice is gone. Its Continue is pressed by Space, Enter
    // and a click (accepted); Escape and the title bar close it (rejected),
    // which the callers treat alike.
    for (const KeyCase& c : {KeyCase{"Space", Press(Qt::Key_Space), QDialog::Accepted},
                             KeyCase{"Enter", Press(Qt::Key_Return), QDialog::Accepted},
                             KeyCase{"Escape", Press(Qt::Key_Escape), QDialog::Rejected},
                             KeyCase{"close", CloseWindow(), QDialog::Rejected},
                             KeyCase{"click", Click("cmmdContinue"), QDialog::Accepted}}) {
        ScriptedOperator op;
        op.On("HighVar", c.answer);
        ContinueDialog notice("HighVar", "High Variation in Mercury test readings.",
                              {"The individual readings ..."});
        EXPECT_EQ(notice.exec(), c.outcome) << c.what;
        EXPECT_FALSE(notice.isVisible()) << c.what;
        EXPECT_EQ(op.Seen(), QStringList{"HighVar"}) << c.what;
    }
}

TEST(DecisionScreenKeys, WarningsAndPromptsGoOnOrEscape) {
    const ObservationWarning warning{"largeStdDev",
                                     "Large Standard Deviation",
                                     "R-dial A",
                                     {"The readings vary too much."},
                                     "Continue: Space Bar"};
    // outcome 1: escaped.
    const KeyCase cases[] = {
        {"Space", Press(Qt::Key_Space), 0},        {"Enter", Press(Qt::Key_Return), 0},
        {"Escape", Press(Qt::Key_Escape), 1},      {"close", CloseWindow(), 1},
        {"click go on", Click("cmmdContinue"), 0}, {"click escape", Click("cmmdEscape"), 1},
    };
    for (const KeyCase& c : cases) {
        ScriptedOperator op;
        op.On("largeStdDev", c.answer);
        WarningScreen screen(warning, "Escape to Top Level");
        screen.exec();
        EXPECT_EQ(screen.escaped, c.outcome == 1) << "warning " << c.what;
    }
    for (const KeyCase& c : cases) {
        ScriptedOperator op;
        op.On("ObsvrPrompt", c.answer);
        PromptScreen screen("Standard Lamp Test", "Set the Wavelength to A", {"Then Space."},
                            nullptr, "Escape key will stop the Lamp Test");
        screen.exec();
        EXPECT_EQ(screen.escaped, c.outcome == 1) << "prompt " << c.what;
    }
}

namespace {
// The reject confirmation's answers by the codes of the table below.
int Code(ConfirmRejScreen::Choice choice) {
    switch (choice) {
    case ConfirmRejScreen::Choice::Accept:
        return 7;
    case ConfirmRejScreen::Choice::RejectAndChooseType:
        return 1;
    case ConfirmRejScreen::Choice::Reject:
        break;
    }
    return 0;
}
} // namespace

TEST(DecisionScreenKeys, ConfirmRejectAcceptsTheObservationOnlyByAltA) {
    // 0 rejected, 7 accepted after all (its record written), 1 rejected
    // and another type chosen.
    const KeyCase cases[] = {
        {"Space", Press(Qt::Key_Space), 0},
        {"Enter", Press(Qt::Key_Return), 0},
        {"keypad Enter", Press(Qt::Key_Enter, Qt::KeypadModifier), 0},
        {"Escape", Press(Qt::Key_Escape), 1},
        {"close", CloseWindow(), 1},
        {"Alt+A", Press(Qt::Key_A, Qt::AltModifier), 7},
        {"click yes", Click("cmmdYes"), 0},
        {"click accept", Click("cmmdAccept"), 7},
        {"click escape", Click("cmmdEscape"), 1},
    };
    for (const KeyCase& c : cases) {
        ScriptedOperator op;
        op.On("ConfirmRej", c.answer);
        ConfirmRejScreen screen;
        screen.exec();
        EXPECT_EQ(Code(screen.choice), c.outcome) << c.what;
    }
}

TEST(DecisionScreenKeys, AWindowIsWideEnoughForItsWholeTitle) {
    const QString title = "Taking Readings for Lamp Test sequence No. 1 For Lamp STD-61B on C'";
    ContinueDialog notice("Hi_SD", title, {"One line."});
    EXPECT_GE(notice.minimumWidth(), notice.fontMetrics().horizontalAdvance(title) + 160);
    PromptScreen prompt(title, "Set the Wavelength to C'", {});
    EXPECT_GE(prompt.minimumWidth(), prompt.fontMetrics().horizontalAdvance(title) + 160);
}
