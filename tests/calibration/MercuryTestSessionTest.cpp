// SPDX-License-Identifier: GPL-3.0-or-later
// The mercury lamp test's sequence with a scripted operator: the opening
// and its escapes, a warning shown after the values it is about, Done(Save)
// only for what was evaluated, the record's moment, and a failed history
// write that saves nothing and may be retried without a second record.
#include "calibration/MercuryTestSession.h"
#include "calibration/MercuryFixtures.h"
#include "config/GetInfo.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

class ScriptedMercury : public MercuryScreens {
public:
    std::optional<QString> AskInitials(const QString& caption, const QStringList&) override {
        log << "initials " + caption;
        return escapeInitials ? std::nullopt : std::optional<QString>("RDE");
    }
    void ShowHint(const QString& title, const QStringList&) override { log << "hint " + title; }
    void RunForm() override {
        log << "form";
        if (form) {
            form();
        }
    }
    void ShowEvaluation(const MercuryEvaluation& e) override {
        log << QStringLiteral("shown average %1").arg(e.hasAverage ? e.testAverage : -1.0);
    }
    void ShowDialog(const MercuryDialogText& text, const QString& button) override {
        log << text.name + " [" + button + "]";
        if (onDialog) {
            onDialog();
        }
    }
    QStringList log;
    bool escapeInitials = false;
    std::function<void()> form;
    std::function<void()> onDialog;
};

class MercuryTestSessionTest : public ::testing::Test {
protected:
    static StationState Loaded(const TestStation& station) {
        StationState loaded = LoadedVars(station);
        loaded.calibration.QTableDate = "24 Mar 2006";
        return loaded;
    }
    QStringList History() const {
        return SplitLines(
            DecodeWindows1252(station.Read("history/hghist." + vars.setup.InstrumentId)));
    }
    TestStation station;
    StationState vars = Loaded(station);
    // 17:15:30 UTC is 10:15:30 local at Boulder (UTC-7).
    TestServices fakes{vars, MakeDateTime(2006, 3, 24, 17, 15, 30)};
    ScriptedMercury op;
    MercuryTestSession session{fakes.services, op};
};

} // namespace

TEST_F(MercuryTestSessionTest, OpeningAndItsEscapes) {
    vars.settings.ObserverInitials = "OLD";
    op.escapeInitials = true;
    // Escaped initials: the hint is still shown, then the test ends as by
    // Exit, without the form.
    EXPECT_FALSE(session.Run());
    EXPECT_EQ(op.log, QStringList({"initials Input initials for the Mercury Test.",
                                   "hint Hints for filling in Mercury Test Form"}));
    EXPECT_TRUE(vars.settings.ObserverInitials.isEmpty());

    op.log.clear();
    op.escapeInitials = false;
    EXPECT_FALSE(session.Run()); // the form left without saving
    EXPECT_EQ(vars.settings.ObserverInitials, "RDE");
    EXPECT_EQ(op.log.last(), "form");
    EXPECT_EQ(fakes.player.played.front(), 133); // the opening cue

    // No station loaded: nothing is shown.
    op.log.clear();
    vars.setup.StationCode.clear();
    EXPECT_FALSE(session.Run());
    EXPECT_TRUE(op.log.isEmpty());
}

TEST_F(MercuryTestSessionTest, WarningsFollowTheValuesTheyAreAboutAndNeverAllowASave) {
    // Separation 78.0 - 75.0 = 3.0 is under 5: the test average 76.50 is
    // on the form before the warning about it.
    session.Evaluate(Pairs({{78.0, 75.0}, {78.0, 75.0}, {78.0, 75.0}}, 20.0, 21.0));
    EXPECT_EQ(op.log, QStringList({"shown average 76.5", "Hgdiff [Continue]"}));
    EXPECT_FALSE(session.CanSave());
    EXPECT_EQ(fakes.player.played, std::vector<int>({134}));

    // Uppers 78.0 and 78.6 are 0.6 apart: the warning, and no Done(Save).
    op.log.clear();
    session.Evaluate(Pairs({{78.0, 70.6}, {78.6, 70.6}, {78.0, 70.6}}, 20.0, 21.0));
    EXPECT_EQ(op.log.last(), "HighVar [Continue]");
    EXPECT_FALSE(session.CanSave());
    EXPECT_FALSE(session.Save());

    // Temperatures 1.5 apart: the reminder without the warning cue.
    op.log.clear();
    fakes.player.played.clear();
    session.Temperatures(20.0, 21.5);
    EXPECT_EQ(op.log.last(), "BigTempDiff [Continue]");
    EXPECT_TRUE(fakes.player.played.empty());
}

TEST_F(MercuryTestSessionTest, DoneSaveRecordsWhatWasEvaluatedAtTheMomentItWasPressed) {
    const MercuryEntries evaluated = Pairs({{76.6, 69.3}, {76.6, 69.3}, {76.6, 69.3}}, 20.0, 21.0);
    ASSERT_TRUE(session.Evaluate(evaluated).complete);
    ASSERT_TRUE(session.CanSave());
    // An edit after the evaluation: nothing to save until Enter again.
    session.Edited();
    EXPECT_FALSE(session.CanSave());
    EXPECT_FALSE(session.Save());
    session.Evaluate(evaluated);
    // The operator reads the verdict for two minutes; the record keeps the
    // moment Done(Save) was pressed.
    op.onDialog = [this] { fakes.clock.Advance(120); };
    op.log.clear();
    EXPECT_TRUE(session.Save());
    // Average 72.95 against the table's 72.93: a pass.
    EXPECT_EQ(op.log, QStringList({"Hgpass [Continue.]"}));
    EXPECT_EQ(History(), QStringList({"HGLAMP,03/24/2006,10:15:30,  20.0, 21.0",
                                      "  76.6   76.6   76.6   00.0   00.0 ",
                                      "  69.3   69.3   69.3   00.0   00.0 ",
                                      "   72.95   72.93   00.02  24 Mar 2006"}));
    EXPECT_EQ(vars.calibration.LastHgTest, "03/24/2006");
    // Saved once: Done(Save) again writes nothing more.
    EXPECT_FALSE(session.CanSave());
    EXPECT_FALSE(session.Save());
    EXPECT_EQ(History().size(), 4);
}

TEST_F(MercuryTestSessionTest, AFailedHistoryWriteSavesNothingAndTheRetrySavesOnce) {
    const QString history = station.Home() + "history/hghist." + vars.setup.InstrumentId;
    station.Remove("history/hghist." + vars.setup.InstrumentId);
    ASSERT_TRUE(QDir().mkpath(history));
    const QString lastBefore = vars.calibration.LastHgTest;
    // Uppers 78.0, lowers 70.6: 74.30 against 72.93 fails, with the cue.
    ASSERT_TRUE(
        session.Evaluate(Pairs({{78.0, 70.6}, {78.0, 70.6}, {78.0, 70.6}}, 20.0, 21.0)).complete);
    fakes.messages.Expect("Mercury Test");
    EXPECT_FALSE(session.Save());
    EXPECT_EQ(vars.calibration.LastHgTest, lastBefore);
    EXPECT_FALSE(DecodeWindows1252(station.Read("data/D06083.999")).contains("HGLAMP"));
    EXPECT_EQ(op.log.last(), "Hgfail [Continue]");
    EXPECT_EQ(fakes.player.played.back(), 134);
    // The history is writable again: the retry saves the test, once.
    ASSERT_TRUE(QDir().rmdir(history));
    EXPECT_TRUE(session.CanSave());
    EXPECT_TRUE(session.Save());
    EXPECT_EQ(History().size(), 4);
    const QStringList day = SplitLines(DecodeWindows1252(station.Read("data/D06083.999")));
    EXPECT_EQ(day.filter("HGLAMP").size(), 1);
}

TEST_F(MercuryTestSessionTest, TemperaturesAreEvaluatedOnlyWhenBothAreTyped) {
    EXPECT_EQ(session.TemperatureEntered("20.0", " "), std::nullopt);
    EXPECT_EQ(session.TemperatureEntered("", "21.0"), std::nullopt);
    EXPECT_TRUE(op.log.isEmpty()); // nothing shown
    const std::optional<MercuryEvaluation> e = session.TemperatureEntered(" 20.0", "21.0 ");
    ASSERT_TRUE(e.has_value());
    EXPECT_DOUBLE_EQ(e->averageTemperature, 20.5);
    EXPECT_EQ(op.log, QStringList{"shown average -1"});
}
