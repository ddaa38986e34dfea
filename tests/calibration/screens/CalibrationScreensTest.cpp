// SPDX-License-Identifier: GPL-3.0-or-later
// The calibration screens offscreen, wired to their core: a whole mercury
// test typed key by key to Done(Save), and a Q-table review to Accept.
#include "calibration/screens/HgtestScreen.h"
#include "calibration/screens/QTableScreens.h"
#include "calibration/screens/StandardScreen.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

void Type(QWidget* screen, const QString& box, const QString& text) {
    auto* edit = screen->findChild<QLineEdit*>(box);
    ASSERT_NE(edit, nullptr) << box.toStdString();
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// The mercury test's opening: the initials, then the hint screen.
void OpenMercuryTest(ScriptedOperator& op) {
    op.On("GetInitials", [](QWidget* m) { Type(m, "txtInitials", "rde"); });
    op.On("Hint", [](QWidget* m) { m->findChild<QPushButton*>("cmmdContinue")->click(); });
}

} // namespace

TEST(CalibrationScreens, MercuryTestTypedToDoneSave) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    ScriptedOperator op;
    OpenMercuryTest(op);
    QString caption;
    bool doneEnabled = false;
    op.On("Hgtest", [&](QWidget* m) {
        caption = m->windowTitle();
        Type(m, "txtStartTemp", "20.0");
        Type(m, "txtEndTemp", "20.5");
        EXPECT_EQ(m->findChild<QLabel*>("lblAveTemp")->text(), "+ 20.3"); // "+ 0.0"
        // Pairs typed lower first: the screen swaps them.
        for (int k = 0; k < 5; ++k) {
            Type(m, QStringLiteral("txtRdg_%1").arg(2 * k), "69.4");
            Type(m, QStringLiteral("txtRdg_%1").arg(2 * k + 1), "76.6");
        }
        EXPECT_EQ(m->findChild<QLineEdit*>("txtRdg_0")->text(), "76.60");
        EXPECT_EQ(m->findChild<QLabel*>("lblTestAve")->text(), "73.00");
        doneEnabled = m->findChild<QPushButton*>("cmmdContinue")->isEnabled();
        m->findChild<QPushButton*>("cmmdContinue")->click();
    });
    op.On("Hgpass", [](QWidget* m) { m->findChild<QPushButton*>("cmmdContinue")->click(); });
    HgtestScreen screen(fakes.services);
    screen.Run();
    EXPECT_EQ(op.Seen(), QStringList({"GetInitials", "Hint", "Hgtest", "Hgpass"}));
    EXPECT_TRUE(doneEnabled);
    EXPECT_TRUE(screen.Saved());
    EXPECT_EQ(caption, "Mercury Test on instrument 061 on 08 Dec/2026 By: RDE");
    // 20.25 degrees: table 74.3 - 0.25 x 5.25 = 72.9875; test 73.0.
    const QStringList history = SplitLines(DecodeWindows1252(station.Read("history/hghist.061")));
    ASSERT_EQ(history.size(), 4);
    EXPECT_EQ(history[0], "HGLAMP,12/08/2026,10:00:00,  20.0, 20.5");
    EXPECT_EQ(history[3], "   73.00   72.99   00.01  06/15/2026");
    EXPECT_EQ(vars.calibration.LastHgTest, "12/08/2026");
}

TEST(CalibrationScreens, QTableReviewToAccept) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    ScriptedOperator op;
    QString countLine;
    op.On("GetInitials", [&](QWidget* m) {
        countLine = m->findChild<QLabel*>("lblL1_5")->text();
        Type(m, "txtInitials", "rde");
    });
    QString newHg;
    op.On("AdjQtable", [&](QWidget* m) {
        m->findChild<QPushButton*>("CmmdContinue")->click(); // asks for the value
        newHg = m->findChild<QLabel*>("lblXQ15val_7")->text();
        m->findChild<QPushButton*>("cmmdAccept")->click();
    });
    op.On("Inqadj", [](QWidget* m) { Type(m, "txtAdjValue", "0.5"); });
    op.On("Qchanged", [](QWidget* m) { m->findChild<QPushButton*>("cmmdContinue")->click(); });
    RunQTableReview(fakes.services, nullptr);
    EXPECT_EQ(op.Seen(), QStringList({"GetInitials", "AdjQtable", "Inqadj", "Qchanged"}));
    EXPECT_EQ(countLine, "The program could not find any mercury test history.");
    EXPECT_EQ(newHg, "74.80");
    EXPECT_DOUBLE_EQ(vars.calibration.Q15Hg, 74.8);
    EXPECT_EQ(vars.calibration.QTableDate, "08 Dec 2026");
    EXPECT_FALSE(station.Read("config/instcfg.bak").isEmpty());
    EXPECT_TRUE(station.Read("config/inst.cfg").startsWith("61\r\n-.25\r\n96.835\r\n"));
}

TEST(CalibrationScreens, StandardLampTestToAccept) {
    TestStation station;
    station.Write("config/reflmps.061", "\"01/01/2020\"\r\n\"L1\",150.0,140.0,130.0,120.0\r\n");
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    ASSERT_TRUE(fakes.OpenEncoder());
    fakes.link.SetValue(150.5); // the same dial on every wavelength
    vars.settings.AudioPrompts = 0;
    ScriptedOperator op;
    op.On("GetInitials", [](QWidget* m) { Type(m, "txtInitials", "rde"); });
    op.On("GetDegsC", [](QWidget* m) { Type(m, "txtDegsC", "20"); });
    auto space = [](QWidget* m) { QTest::keyClick(m, Qt::Key_Space); };
    QString reference;
    QString placeholder;
    bool lampLocked = false;
    bool startOff = false;
    bool acceptAfterNewTemperature = false;
    op.On("Standard", [&](QWidget* m) {
        auto* combo = m->findChild<QComboBox*>("cmbLampNames");
        EXPECT_EQ(combo->count(), 1);
        EXPECT_TRUE(combo->currentText().isEmpty());
        placeholder = combo->lineEdit()->placeholderText();
        combo->setEditText("l1");
        m->findChild<QPushButton*>("CmmdSelect")->click();
        reference = m->findChild<QGroupBox*>("framRefVal")->title();
        m->findChild<QPushButton*>("cmmdStart")->click();
        // The finished run is inspected: the lamp cannot change under it,
        // and Start cannot throw it away.
        lampLocked = !combo->isEnabled() && !m->findChild<QPushButton*>("CmmdSelect")->isEnabled();
        startOff = !m->findChild<QPushButton*>("cmmdStart")->isEnabled();
        m->findChild<QPushButton*>("cmmdNewTemp")->click();
        acceptAfterNewTemperature = m->findChild<QPushButton*>("cmmdAccept")->isEnabled();
        m->findChild<QPushButton*>("cmmdAccept")->click();
        EXPECT_TRUE(combo->isEnabled());
        m->findChild<QPushButton*>("cmmdExit")->click();
    });
    for (int i = 0; i < 4; ++i) {
        op.On("ObsvrPrompt", space);
    }
    // C, C' and D lie far from the reference: go on after the warning.
    op.On("blunder", [](QWidget* m) { m->findChild<QPushButton*>("cmmdChoice1")->click(); });
    for (int i = 0; i < 9; ++i) {
        op.On("ObsvrPrompt", space); // eight measurements, then the inspection
    }
    op.On("GetDegsC", [](QWidget* m) { Type(m, "txtDegsC", "21"); }); // New Temperature
    op.On("Big_corr_change",
          [](QWidget* m) { m->findChild<QPushButton*>("cmmdChoice1")->click(); });
    StandardScreen screen(fakes.services);
    screen.Run();
    EXPECT_EQ(placeholder, "Lamp Name");
    EXPECT_TRUE(lampLocked);
    EXPECT_TRUE(startOff);
    EXPECT_TRUE(acceptAfterNewTemperature);
    EXPECT_EQ(op.Seen().size(), 19) << op.Seen().join(",").toStdString();
    EXPECT_EQ(reference, "l1 Ref Vals.");
    // A: N(150) - N(150.5) = -0.485 from the demo N-table.
    EXPECT_NEAR(vars.calibration.LampCorr[0], -0.485, 1e-9);
    EXPECT_EQ(vars.calibration.LampCorrLamp, "l1");
    EXPECT_TRUE(DecodeWindows1252(station.Read("data/D26342.061"))
                    .contains("\"Test accepted after warning\""));
    EXPECT_FALSE(station.Read("history/lamphist.061").isEmpty());
}

TEST(CalibrationScreens, MercurySavesWhatWasEvaluatedWhenDoneWasPressed) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    ScriptedOperator op;
    OpenMercuryTest(op);
    bool disabledByTheEdit = false;
    bool enabledAgain = false;
    op.On("Hgtest", [&](QWidget* m) {
        Type(m, "txtStartTemp", "20.0");
        Type(m, "txtEndTemp", "20.5");
        for (int k = 0; k < 5; ++k) {
            Type(m, QStringLiteral("txtRdg_%1").arg(2 * k), "76.6");
            Type(m, QStringLiteral("txtRdg_%1").arg(2 * k + 1), "69.4");
        }
        auto* done = m->findChild<QPushButton*>("cmmdContinue");
        ASSERT_TRUE(done->isEnabled());
        // A new end temperature typed without Enter: Done waits for it.
        auto* end = m->findChild<QLineEdit*>("txtEndTemp");
        end->setFocus();
        end->selectAll();
        QTest::keyClicks(end, "21.0");
        disabledByTheEdit = !done->isEnabled();
        done->click(); // does nothing while disabled
        QTest::keyClick(end, Qt::Key_Return);
        enabledAgain = done->isEnabled() && done->hasFocus();
        // Enter on the focused Done(Save), as the hint teaches.
        QTest::keyClick(done, Qt::Key_Return);
    });
    op.On("Hgpass", [&](QWidget* m) {
        fakes.clock.Advance(90); // the operator reads the verdict for a while
        m->findChild<QPushButton*>("cmmdContinue")->click();
    });
    HgtestScreen screen(fakes.services);
    screen.Run();
    EXPECT_TRUE(disabledByTheEdit);
    EXPECT_TRUE(enabledAgain);
    ASSERT_TRUE(screen.Saved());
    const QStringList history = SplitLines(DecodeWindows1252(station.Read("history/hghist.061")));
    ASSERT_EQ(history.size(), 4);
    // The temperatures evaluated (20.0 and 21.0: 20.5 on average, table
    // 74.3 - 0.25 x 5.5 = 72.925, test 73.0) and the time Done was pressed.
    EXPECT_EQ(history[0], "HGLAMP,12/08/2026,10:00:00,  20.0, 21.0");
}
