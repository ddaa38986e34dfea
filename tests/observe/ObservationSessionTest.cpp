// SPDX-License-Identifier: GPL-3.0-or-later
// The observation session through its screen interface with a scripted
// operator: set-up decisions, restart after escape, reject and its three
// answers, accept through the sky conditions, and the next type. No
// widgets: a whole session runs in milliseconds.
#include "observe/ObservationSession.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

class ScriptedSession : public ObservationSessionScreens, public GaugeDisplay {
public:
    // ObservationScreens
    GaugeDisplay& Gauge() override { return *this; }
    ContinueOrEscape ObserverPrompt(const QString&, const QString&, const QStringList&) override {
        return ContinueOrEscape::Continue;
    }
    void ShowWarning(const ObservationWarning& w) override { log << "warning " + w.screen; }
    void ShowReading(int, const QString&) override {}
    void ShowResult(const QString& t, const QString& mu, const QString&) override {
        log << (mu.isEmpty() ? "mean time " + t.left(6) : QStringLiteral("result"));
    }
    void ShowQuality(const QString&) override {}
    // GaugeDisplay: e&Xit in the count-down numbered `exitAtCountdown`.
    void SetCallerText(const QString&, const QString&) override {}
    void Open(const QString& mode, int, int, const QString&) override {
        exit_ = mode == "DOWN" && ++countdowns == exitAtCountdown;
    }
    void SetProgress(int, const QString&) override {}
    bool ExitPressed() const override { return exit_; }
    void Close() override {}

    // ObservationSessionScreens
    ContinueOrEscape ConfirmFocusedSun(const ObservationWarning& w) override {
        log << "focused sun " + w.title;
        return focusedSunAnswer ? ContinueOrEscape::Continue : ContinueOrEscape::Escape;
    }
    std::optional<QString> AskInitials(const QString& caption, const QStringList&) override {
        log << "initials " + caption;
        return initialsAnswer ? std::optional<QString>("JKL") : std::nullopt;
    }
    std::optional<double> AskTemperature(const QString&, const QStringList&) override {
        log << "temperature";
        return 21.0;
    }
    void RunEncoderCheck() override { log << "encoder check"; }
    void RunObservationScreen(const QString& type) override {
        log << "screen " + session->NextType() + type;
        finished = false;
        for (size_t i = 0; i < script.size() && !finished; ++i) {
            script[i]();
        }
        script.clear();
    }
    void FinishObservationScreen() override {
        log << "finish";
        finished = true;
    }
    void ShowReady() override { log << "ready"; }
    void ShowQSettings() override {}
    void ShowRunning() override {}
    void ShowInspect() override { log << "inspect"; }
    void ShowRejected() override { log << "rejected"; }
    RestartChoice AskRestartAfterEscape() override {
        log << "restart?";
        return restartAnswer ? RestartChoice::Restart : RestartChoice::Leave;
    }
    SkyAnswer AskSkyConditions(const QString& type) override {
        log << "sky";
        SkyAnswer answer;
        if (skyEscapes-- > 0) {
            return answer;
        }
        answer.selection = SkySelection(type);
        answer.comment = "clear";
        return answer;
    }
    RestartChoice AskRestartSkySelection() override {
        log << "sky again?";
        return RestartChoice::Restart;
    }
    RejectChoice ConfirmReject() override {
        log << "confirm reject";
        return rejectAnswer;
    }
    std::optional<QString> ChooseNextType(const QStringList&, double) override {
        log << "next type";
        if (nextTypes.isEmpty()) {
            return std::nullopt;
        }
        return nextTypes.takeFirst();
    }

    ObservationSession* session = nullptr;
    Services* services = nullptr;
    std::vector<std::function<void()>> script;
    QStringList log;
    QStringList nextTypes;
    bool finished = false;
    bool focusedSunAnswer = true;
    bool initialsAnswer = true;
    bool restartAnswer = true;
    int skyEscapes = 0;
    RejectChoice rejectAnswer = RejectChoice::Reject;
    int countdowns = 0;
    int exitAtCountdown = -1;

private:
    bool exit_ = false;
};

class ObservationSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars = LoadedVars(station);
        vars.setup.EncoderInUse = false; // practice readings from mu
        vars.settings.ObserverInitials = "JKL";
        vars.settings.InstrumentTemperature = 21;
        vars.settings.ComputerTimed = 1;
        screens.session = &session;
        screens.services = &fakes.services;
    }
    QStringList ObsLines() {
        return SplitLines(DecodeWindows1252(station.Read("data/D27060.999")))
            .filter(QRegularExpression("^OBS,"));
    }
    TestStation station;
    StationState vars;
    TestServices fakes{vars, MakeDateTime(2027, 3, 1, 19, 0, 0)};
    ScriptedSession screens;
    ObservationSession session{fakes.services, screens};
};

} // namespace

TEST_F(ObservationSessionTest, SetupDecisions) {
    // The focused-sun warning escaped: back to the main screen.
    screens.focusedSunAnswer = false;
    EXPECT_FALSE(session.Setup("ADDSFI"));
    EXPECT_EQ(
        screens.log,
        QStringList{"focused sun A and D Wavelength Pairs using the focused image of the Sun."});

    // An unknown type is refused with its box.
    screens.log.clear();
    fakes.messages.Expect("Ob type unknown.");
    EXPECT_FALSE(session.Setup("XXDS"));
    EXPECT_TRUE(screens.log.isEmpty());

    // A dial reading exactly zero runs the encoder checks before the initials.
    ASSERT_TRUE(fakes.OpenEncoder());
    fakes.link.SetValue(0.0);
    EXPECT_TRUE(session.Setup("ADZB"));
    EXPECT_EQ(screens.log, QStringList({"encoder check",
                                        "initials ADZB Observation information -- "
                                        "Enter Initials",
                                        "temperature"}));
    EXPECT_EQ(session.ReadingsCount(), 10);

    // The moon: twenty readings at the observer's pace; initials escaped.
    fakes.link.SetValue(120.0);
    EXPECT_TRUE(session.Setup("CDRMFI"));
    EXPECT_EQ(session.ReadingsCount(), 20);
    EXPECT_EQ(vars.settings.ComputerTimed, 0);
    screens.initialsAnswer = false;
    EXPECT_FALSE(session.Setup("CDRMFI"));
}

TEST_F(ObservationSessionTest, AcceptThroughTheSkyThenAnotherTypeThenBack) {
    screens.skyEscapes = 1;
    screens.nextTypes = {"ADZB"};
    screens.script = {[&] { session.Start(); }, [&] { session.Accept(); },
                      [&] { session.EscapeToTypeSelection(); }};
    session.Run("ADDSGQP");
    ASSERT_EQ(ObsLines().size(), 1);
    EXPECT_TRUE(ObsLines()[0].contains(",ADDSGQP,"));
    // The mean time is on the screen before the result, the sky escaped
    // once and chosen again, then the next type's set-up and screen. The
    // practice run keeps real timing: readings begin after the 6 s of the
    // first count-down and end at 123.6 s (five series of 12 x 1.01 s,
    // count-downs of 13, 18, 13 and 13 s), so the mean is 19:01:04.8.
    const QStringList expected = {"initials ADDSGQP Observation information -- Enter Initials",
                                  "temperature",
                                  "screen ADDSGQP",
                                  "mean time 190105",
                                  "result",
                                  "inspect",
                                  "sky",
                                  "sky again?",
                                  "sky",
                                  "ready",
                                  "next type",
                                  "finish",
                                  "initials ADZB Observation information -- Enter Initials",
                                  "temperature",
                                  "screen ADZB"};
    EXPECT_EQ(screens.log, expected);
    EXPECT_EQ(vars.settings.ObserverInitials, "JKL"); // offered again for the next type
}

TEST_F(ObservationSessionTest, RejectAnswersAndEscapeDuringARun) {
    ASSERT_TRUE(session.Setup("ADDSGQP"));
    // Rejected: nothing written, the screen ready again with the notice.
    session.Start();
    ASSERT_EQ(session.LastRun().outcome, kObservationComplete);
    screens.log.clear();
    screens.rejectAnswer = RejectChoice::Reject;
    session.Reject();
    EXPECT_EQ(screens.log, QStringList({"confirm reject", "ready", "rejected"}));
    EXPECT_TRUE(ObsLines().isEmpty());
    // Nothing is left to accept after a reject.
    session.Accept();
    EXPECT_TRUE(ObsLines().isEmpty());

    // "Accept after all" writes the record.
    session.Start();
    screens.rejectAnswer = RejectChoice::AcceptAfterAll;
    session.Reject();
    EXPECT_EQ(ObsLines().size(), 1);

    // Reject and choose another type.
    session.Start();
    screens.log.clear();
    screens.rejectAnswer = RejectChoice::RejectAndChooseType;
    session.Reject();
    EXPECT_EQ(screens.log, QStringList({"confirm reject", "next type", "finish"}));

    // e&Xit in the third count-down, then re-start: ready, nothing to accept.
    screens.log.clear();
    screens.countdowns = 0;
    screens.exitAtCountdown = 3;
    session.Start();
    EXPECT_EQ(session.LastRun().outcome, kObservationRestart);
    EXPECT_EQ(screens.log, QStringList({"inspect", "restart?", "ready"}));
    // Escaped again and not re-started: to the choice of another type.
    screens.log.clear();
    screens.countdowns = 0;
    screens.exitAtCountdown = 1;
    screens.restartAnswer = false;
    session.Start();
    EXPECT_EQ(screens.log, QStringList({"inspect", "restart?", "next type", "finish"}));
    EXPECT_EQ(ObsLines().size(), 1);
}
