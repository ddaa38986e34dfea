// SPDX-License-Identifier: GPL-3.0-or-later
// Whole observations through the seams: fake clock, fake counter and
// scripted operator, in milliseconds. Count-downs, styles, escapes, the
// checks, the mean time, the sky stages and the OBS record.
#include "astro/AstroFunctions.h"
#include "observe/ObservationChecks.h"
#include "observe/ObservationDriver.h"
#include "observe/ObservationRecord.h"
#include "observe/ObservationTypes.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// The operator, scripted: a gauge that can press e&Xit at a given
// count-down, prompts answered Continue (or Escape), warnings recorded, and
// the counter's dial moved to the next reading at each reading series.
class ScriptedOperator : public ObservationScreens, public GaugeDisplay {
public:
    explicit ScriptedOperator(FakeCounterLink& link) : link_(link) {}

    GaugeDisplay& Gauge() override { return *this; }
    ContinueOrEscape ObserverPrompt(const QString& caption, const QString& message,
                                    const QStringList&) override {
        prompts << caption + "|" + message;
        return escapePrompt ? ContinueOrEscape::Escape : ContinueOrEscape::Continue;
    }
    void ShowWarning(const ObservationWarning& w) override {
        warnings << w.screen + "|" + w.caption;
    }
    void ShowReading(int field, const QString& text) override { fields[field] = text; }
    void ShowResult(const QString& t, const QString& mu, const QString& ozone) override {
        result = {t, mu, ozone};
    }
    void ShowQuality(const QString& line) override { quality = line; }

    void SetCallerText(const QString& caption, const QString&) override { captions << caption; }
    void Open(const QString& mode, int maximum, int, const QString&) override {
        exit_ = false;
        if (mode == "DOWN") {
            ++countdowns;
            countdownSeconds << maximum;
            exit_ = countdowns == exitAtCountdown;
        } else if (nextReading < dial.size()) {
            link_.SetValue(dial[nextReading++]);
        }
    }
    void SetProgress(int count, const QString&) override {
        if (jitter > 0 && nextReading > 0) {
            link_.SetValue(dial[nextReading - 1] + (count % 2 ? jitter : -jitter));
        }
    }
    bool ExitPressed() const override { return exit_; }
    void Close() override {}

    std::vector<double> dial;
    size_t nextReading = 0;
    double jitter = 0; // alternate readings of a series this far above and below
    int countdowns = 0;
    int exitAtCountdown = -1;
    bool escapePrompt = false;
    QList<int> countdownSeconds;
    QStringList captions, prompts, warnings, result;
    QString quality;
    QString fields[5];

private:
    FakeCounterLink& link_;
    bool exit_ = false;
};

class ObservationTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars = LoadedVars(station);
        ASSERT_TRUE(fakes.OpenEncoder());
        vars.settings.InstrumentTemperature = 22.0;
        vars.settings.ObserverInitials = "JKL";
        vars.settings.AudioPrompts = 0;
    }
    ObservationRun Run(const QString& type, std::vector<double> dial) {
        op.dial = std::move(dial);
        op.nextReading = 0;
        int n = 10;
        return RunObservation(fakes.services, op, type, n);
    }
    QStringList DayFileLines() {
        return SplitLines(DecodeWindows1252(station.Read(
            "data/" + DayFileName(vars.setup, LocalStandardTime(vars.setup, fakes.clock.Now())))));
    }

    TestStation station;
    StationState vars;
    // 8 December at Boulder, 18:30 UTC: the sun near mu 2.2.
    TestServices fakes{vars, MakeDateTime(2026, 12, 8, 18, 30, 0)};
    ScriptedOperator op{fakes.link};
};

const std::vector<double> kGoodAD = {170.0, 80.0, 170.5, 80.5, 171.0};

} // namespace

TEST_F(ObservationTest, TimedDirectSunCountdownsAndResult) {
    const ObservationRun run = Run("ADDSGQP", kGoodAD);
    ASSERT_EQ(run.outcome, kObservationComplete) << op.warnings.join(";").toStdString();
    EXPECT_EQ(op.countdownSeconds, QList<int>({5, 12, 17, 12, 12}));
    EXPECT_TRUE(op.prompts.isEmpty());
    EXPECT_EQ(op.captions[0], "Countdown for first A");
    EXPECT_EQ(op.captions[1], "Taking Readings for first A");
    EXPECT_EQ(op.captions[2], "Countdown for first D");
    EXPECT_EQ(op.captions[4], "Countdown for second A");
    EXPECT_EQ(op.captions[8], "Countdown for third A");
    EXPECT_EQ(op.fields[0], QString("170.0 ") + kPlusMinus + " 0.0");
    EXPECT_EQ(op.fields[3], QString("80.5 ") + kPlusMinus + " 0.0");
    EXPECT_DOUBLE_EQ(run.result.means.meanFirst, 170.5);
    EXPECT_DOUBLE_EQ(run.result.means.meanSecond, 80.25);
    EXPECT_TRUE(run.result.calculated);
    // By hand, from the test station's N-table and lamp corrections:
    //   A: N(170.5) = 159.9 + 9.8 x 0.05 + 0.4 = 160.79
    //   D: N(80.25) = 68.4 + 8.7 x 0.025 + 0.1 = 68.7175
    //   ozone = 10 x 92.0725 / (1.432 x 2.17761) - 7 x 836/1013
    //         = 295.260 - 5.777 = 289.48 DU, mu 2.17761 at 18:31 UTC.
    EXPECT_NEAR(run.result.means.nFirst, 160.79, 1e-9);
    EXPECT_NEAR(run.result.means.nSecond, 68.7175, 1e-9);
    EXPECT_NEAR(run.result.mu, 2.17761, 1e-5);
    EXPECT_NEAR(run.result.ozone, 289.48, 0.01);
    EXPECT_TRUE(op.result[2].startsWith("289.5")) << op.result[2].toStdString();
    EXPECT_EQ(op.result[1], FormatNumber(run.result.mu, u"##.000"));
    EXPECT_TRUE(op.result[2].endsWith(" DU"));
    EXPECT_EQ(op.quality, ""); // steady readings, lamp tests on time
    // The same numbers as quillon-cli reduce at the mean time.
    ReductionInput in{"ADDSGQP", run.MeanUtc(), {170.0, 80.0, 170.5, 80.5, 171.0}, {}};
    EXPECT_DOUBLE_EQ(ReduceObservation(vars.setup, vars.calibration, in).ozone, run.result.ozone);
}

TEST_F(ObservationTest, TimedZenithAndObserverStyle) {
    Run("ADZB", kGoodAD);
    EXPECT_EQ(op.countdownSeconds, QList<int>({5, 12, 12, 12, 12}));

    ScriptedOperator observer(fakes.link);
    vars.settings.ComputerTimed = 0;
    observer.dial = kGoodAD;
    int n = 10;
    const ObservationRun run = RunObservation(fakes.services, observer, "ADDSFI", n);
    EXPECT_EQ(run.outcome, kObservationComplete);
    EXPECT_EQ(observer.countdownSeconds, QList<int>({5, 5, 5, 5, 5}));
    EXPECT_EQ(observer.prompts,
              QStringList({"Waiting for Observer Prompt.|Switch Q-levers DOWN to the D stops.\n"
                           "Check sun's position on Slit.",
                           "Waiting for Observer Prompt.|Switch Q-levers UP to the A position\n"
                           "Check Sun Spot!",
                           "Waiting for Observer Prompt.|Switch Q-levers DOWN to the D stops.\n"
                           "Check sun's position on Slit.",
                           "Waiting for Observer Prompt.|Switch Q-levers UP to the A position"}));
}

TEST_F(ObservationTest, CcTypePromptsTheSelectorRod) {
    vars.settings.ComputerTimed = 0;
    // C' (rod in) reads above C.
    const ObservationRun run = Run("CCZB", {120.0, 150.0, 120.2, 150.3, 120.1});
    EXPECT_EQ(run.outcome, kObservationComplete) << op.warnings.join(";").toStdString();
    ASSERT_EQ(op.prompts.size(), 4);
    EXPECT_EQ(op.prompts.filter("Push the Selector Rod FIRMLY in.").size(), 2);
    EXPECT_EQ(op.prompts.filter("Pull the Selector Rod FIRMLY out.").size(), 2);
    EXPECT_EQ(op.captions[2], "Countdown for first C'");
    EXPECT_FALSE(run.result.calculated);
    EXPECT_EQ(run.result.ozone, kOzoneNotCalculated);
    EXPECT_GT(run.result.mu, 1.0);
    EXPECT_EQ(op.result[2], "Not Calc'd");
}

TEST_F(ObservationTest, EscapeDuringTheThirdCountdownAndAtAPrompt) {
    op.exitAtCountdown = 3;
    const ObservationRun run = Run("ADDSGQP", kGoodAD);
    EXPECT_EQ(run.outcome, kObservationEscaped);
    EXPECT_EQ(op.countdowns, 3);

    ScriptedOperator quitter(fakes.link);
    quitter.escapePrompt = true;
    quitter.dial = kGoodAD;
    vars.settings.ComputerTimed = 0;
    int n = 10;
    EXPECT_EQ(RunObservation(fakes.services, quitter, "CDZB", n).outcome, kObservationEscaped);
    EXPECT_EQ(quitter.prompts.size(), 1);
}

TEST_F(ObservationTest, ChecksStopTheRun) {
    // A and D equal: reversed readings.
    ObservationRun run = Run("ADDSGQP", {120.0, 120.0, 120, 120, 120});
    EXPECT_EQ(run.outcome, kObservationRestart);
    ASSERT_EQ(op.warnings.size(), 1);
    EXPECT_EQ(op.warnings[0], "NegOzone|A reading: 120. < or = Than D reading: 120.");
    EXPECT_EQ(fakes.player.played.back(), 134);

    // Too much variation among the A readings.
    op.warnings.clear();
    op.nextReading = 0;
    run = Run("ADDSGQP", {170.0, 80.0, 175.1, 80.0, 170.0});
    EXPECT_EQ(run.outcome, kObservationRestart);
    EXPECT_EQ(op.warnings, QStringList({"Exvar|"}));

    // A provisional ozone far too high.
    op.warnings.clear();
    run = Run("ADDSGQP", {290.0, 10.0, 290.0, 10.0, 290.0});
    EXPECT_EQ(run.outcome, kObservationRestart);
    ASSERT_EQ(op.warnings.size(), 1);
    EXPECT_TRUE(op.warnings[0].startsWith("Unlkly|Calculated Ozone: "))
        << op.warnings[0].toStdString();

    // A noisy series: large deviation.
    op.warnings.clear();
    op.nextReading = 0;
    op.jitter = 2.0;
    run = Run("ADDSGQP", kGoodAD);
    EXPECT_EQ(run.outcome, kObservationRestart);
    ASSERT_EQ(op.warnings.size(), 1);
    EXPECT_TRUE(op.warnings[0].startsWith("largeStdDev|This A Reading:"));
}

TEST_F(ObservationTest, TheResultsQualityLineWhileARepeatIsStillPossible) {
    // Readings 0.4 either side of each dial value: deviations well within
    // the checks, an ozone spread above a limit of 0.5 DU.
    station.Write("config/quality.cfg", "spread_sun 0.5\r\n");
    op.jitter = 0.4;
    const ObservationRun run = Run("ADDSGQP", kGoodAD);
    ASSERT_EQ(run.outcome, kObservationComplete) << op.warnings.join(";").toStdString();
    ASSERT_GT(run.result.ozoneSpread, 0.5);
    EXPECT_EQ(op.quality, "Quality: ozone spread " + FormatNumber(run.result.ozoneSpread, u"0.0") +
                              " DU (limit 0.5); consider repeating.");
    // Nothing of it reaches the day file: flags are never written.
    EXPECT_FALSE(DayFileLines().join('\n').contains("Quality"));

    // A quality.cfg that cannot be used says so instead of judging.
    station.Write("config/quality.cfg", "spread_sun lots\r\n");
    op.nextReading = 0;
    Run("ADDSGQP", kGoodAD);
    EXPECT_EQ(op.quality, "Quality: not judged, " + station.ConfigDir() +
                              "quality.cfg: line 1: spread_sun is not a number: \"lots\"");
}

TEST(ObservationChecks, Boundaries) {
    EXPECT_FALSE(CheckStdDev("ADDSGQP", 100, 1.0, "A"));
    EXPECT_TRUE(CheckStdDev("ADDSGQP", 100, 1.05, "A"));
    EXPECT_EQ(CheckStdDev("ADDSGQP", 123.45, 1.05, "D")->caption,
              "This D Reading:123.5 Standard Deviation:1.1");
    EXPECT_FALSE(CheckStdDev("ADZC", 100, 2.5, "A"));
    EXPECT_TRUE(CheckStdDev("ADZB", 100, 2.1, "A"));
    EXPECT_FALSE(CheckStdDev("CDDSFI", 100, 3.0, "C"));

    EXPECT_TRUE(CheckReversed("CCZB", 120, 120, 3.0));
    EXPECT_FALSE(CheckReversed("CCZB", 120, 120, 3.6));
    EXPECT_EQ(CheckReversed("CDZB", 80, 90, 2)->caption, "C reading: 80. Less Than D reading: 90.");

    EXPECT_TRUE(CheckOzoneRange(150, 40));
    EXPECT_FALSE(CheckOzoneRange(150, -60));
    EXPECT_TRUE(CheckOzoneRange(720, 40));
    EXPECT_TRUE(CheckOzoneRange(720, -60));
    EXPECT_FALSE(CheckOzoneRange(300, 40));
    EXPECT_EQ(CheckOzoneRange(720.04, 40)->caption, "Calculated Ozone: 720.");

    EXPECT_FALSE(CheckVariation("ADDSGQP", {100.0, 104.9, 100.0}, {50.0, 53.0}));
    EXPECT_TRUE(CheckVariation("ADDSGQP", {100.0, 105.1, 100.0}, {50.0, 53.0}));
    EXPECT_TRUE(CheckVariation("ADDSGQP", {100.0, 100.0, 100.0}, {50.0, 53.1}));
    EXPECT_FALSE(CheckVariation("ADZC", {100.0, 107.5, 100.0}, {50.0, 54.5}));
    EXPECT_TRUE(CheckVariation("ADZC", {100.0, 107.6, 100.0}, {50.0, 54.5}));
    EXPECT_FALSE(CheckVariation("ADRMFI", {100.0, 150.0, 100.0}, {50.0, 90.0}));
}

TEST(MeanObservationTime, AcrossMidnight) {
    const DateTimeValue day = DateSerial(2026, 12, 8);
    const MeanTime across = MeanObservationTime(86370.0f, 60.0f, day, day + 1);
    EXPECT_DOUBLE_EQ(across.seconds, 15.0);
    EXPECT_EQ(across.date, day + 1);
    const MeanTime before = MeanObservationTime(86300.0f, 20.0f, day, day + 1);
    EXPECT_DOUBLE_EQ(before.seconds, 86360.0);
    EXPECT_EQ(before.date, day);
    EXPECT_DOUBLE_EQ(MeanObservationTime(36000.0f, 36120.0f, day, day).seconds, 36060.0);
}

TEST(SkySelection, DirectSunAndCloudyZenithStages) {
    SkySelection ds("ADDSGQP");
    EXPECT_EQ(ds.caption, "Select the Blue Sky condition for a ADDSGQP Observation.");
    EXPECT_EQ(ds.skyFrameCaption, "Blue Sky");
    EXPECT_FALSE(ds.Press(4)); // F4 belongs to the special conditions only
    EXPECT_TRUE(ds.Press(2));
    EXPECT_EQ(ds.CurrentStage(), SkySelection::kSpecial);
    EXPECT_EQ(ds.message, "Select the Special Conditions for this observation.");
    EXPECT_TRUE(ds.Press(1));
    EXPECT_EQ(ds.CurrentStage(), SkySelection::kComment);
    EXPECT_EQ(ds.message, "Your Comments are always welcome.");
    EXPECT_EQ(ds.sky, "H ");
    EXPECT_EQ(ds.height + ds.thickness + ds.texture, "    ");
    EXPECT_EQ(ds.special, "      ");

    SkySelection zc("ADZC");
    EXPECT_EQ(zc.CurrentStage(), SkySelection::kHeight);
    EXPECT_EQ(zc.message, "Select the base Height of the Cloud on the Zenith.");
    for (int key : {3, 1, 2, 4}) {
        EXPECT_TRUE(zc.Press(key));
    }
    EXPECT_EQ(zc.height, "L");
    EXPECT_EQ(zc.thickness, "TN");
    EXPECT_EQ(zc.texture, "V");
    EXPECT_EQ(zc.special, "FOG   ");
    EXPECT_EQ(zc.sky, "  ");
    EXPECT_EQ(zc.ChosenLabel(), "lblFog");

    EXPECT_EQ(SkySelection("CDRMFI").skyFrameCaption, "Sky near Moon");
}

TEST_F(ObservationTest, AcceptedObservationWritesItsRecordAndSummary) {
    const ObservationRun run = Run("ADDSGQP", kGoodAD);
    ASSERT_EQ(run.outcome, kObservationComplete);
    SkySelection sky("ADDSGQP");
    sky.Press(1);
    sky.Press(2);
    ASSERT_TRUE(RecordObservation(fakes.services, run, sky, "JKL:clear morning"));
    const QStringList lines = DayFileLines();
    ASSERT_EQ(lines.size(), 5 + 2 + 2);
    const ObsRecord r =
        MakeObsRecord(vars.setup, vars.settings.InstrumentTemperature, run, sky, fakes.clock.Now());
    EXPECT_EQ(lines.mid(5, 2), ObsRecordLines(r, vars.setup));
    EXPECT_TRUE(lines[5].startsWith("OBS,12/08/2026," + FormatDate(r.obsLocal, u"hhmmss") +
                                    ",ADDSGQP,22.0, "));
    EXPECT_TRUE(lines[6].startsWith(" 170.0 170.5 171.0 080.0 080.5ADDSGQP 08 "));
    EXPECT_TRUE(lines[6].endsWith(" 26 C         RAIN    061  BDR")) << lines[6].toStdString();
    EXPECT_EQ(lines[8], "\"JKL:clear morning\"");
    EXPECT_TRUE(vars.day.SummaryADDS.startsWith("One ADDS Obs with Ozone="));
}

TEST_F(ObservationTest, NoEncoderObservationIsSimulatedAndMarkedFake) {
    vars.setup.EncoderInUse = false;
    // Find a moment of a March morning when the sun's mu is 2.
    DateTimeValue t = MakeDateTime(2027, 3, 1, 15, 0, 0);
    ASSERT_GT(SunMu(vars.setup, t), 2.0);
    while (SunMu(vars.setup, t) > 2.0) {
        t += 0.1 / 86400.0;
    }
    // The first reading starts after the 5-second count-down and its wait.
    fakes.clock.Set(t - 6.0 / 86400.0);
    const ObservationRun run = Run("ADDSGQP", {});
    ASSERT_EQ(run.outcome, kObservationComplete) << op.warnings.join(";").toStdString();
    EXPECT_EQ(op.fields[0], QString("128.0 ") + kPlusMinus + " 0.2");
    EXPECT_EQ(op.fields[1], QString("42.0 ") + kPlusMinus + " 0.2");
    EXPECT_TRUE(fakes.link.written.isEmpty()); // the counter is never asked
    ASSERT_TRUE(WriteFakeObservationComment(fakes.services));
    SkySelection sky("ADDSGQP");
    sky.Press(1);
    sky.Press(1);
    ASSERT_TRUE(RecordObservation(fakes.services, run, sky, "JKL:"));
    const QStringList lines = DayFileLines();
    ASSERT_EQ(lines.size(), 5 + 2 + 2 + 2);
    EXPECT_EQ(lines[6], "\"JKL: Fake Observation follows.\"");
    EXPECT_TRUE(lines[7].startsWith("OBS,"));
    EXPECT_TRUE(station.Read("data/D27060.999").size() > 0);
}

TEST(ObservationTypes, InstructionsWarningsAndChooser) {
    const ObservationInstructions low = InstructionsFor("ADDSGQP", true, 1.1);
    EXPECT_TRUE(low.temperatureLines.contains(
        "GQP must be in place, and the lens removed from the Periscope."));
    EXPECT_TRUE(
        InstructionsFor("ADDSGQP", true, 1.15).temperatureLines.contains("GQP must be in place"));
    EXPECT_EQ(low.initialsCaption, "ADDSGQP Observation information -- Enter Initials");
    EXPECT_EQ(low.temperatureCaption, "Input Instrument Temperature for ADDSGQP Obs.");
    EXPECT_EQ(low.initialsLines[2], "This is a TIMED observation.");
    const ObservationInstructions cc = InstructionsFor("CCZC", false, 2);
    EXPECT_EQ(cc.initialsLines[0], "CCZC Observation uses the C and C' wavelengths");
    EXPECT_EQ(cc.initialsLines[1], "on the Cloudy Zenith.");
    EXPECT_EQ(cc.initialsLines.last(), "Each Measurement is 15 seconds long.");
    EXPECT_LE(InstructionsFor("CDDSFI", true, 2).initialsLines.size(), 13);
    EXPECT_EQ(InstructionsFor("XYZ", true, 2).initialsLines,
              QStringList(
                  {"Observation:", "XYZ", "Not Recognized", "Press Okay to return to Main Menu."}));

    EXPECT_TRUE(NeedsFocusedSunWarning("ADDSFI", 45));
    EXPECT_TRUE(NeedsFocusedSunWarning("ADDSFI", -45));
    EXPECT_FALSE(NeedsFocusedSunWarning("ADDSFI", 50));
    EXPECT_FALSE(NeedsFocusedSunWarning("ADDSFI", -50));
    EXPECT_FALSE(NeedsFocusedSunWarning("ADDSGQP", 10));

    EXPECT_TRUE(MoreobsTypes(1.01).isEmpty());
    EXPECT_TRUE(MoreobsTypes(-0.5).isEmpty());
    EXPECT_TRUE(MoreobsTypes(0.5).isEmpty());
    EXPECT_EQ(MoreobsTypes(4.5), QStringList({"CDDSFI", "CDZB", "CDZC"}));
    EXPECT_EQ(MoreobsTypes(1.1), QStringList({"ADDSGQP", "CCZB", "CCZC"}));
    // The bands' edges are the main screen's: each edge belongs to the band
    // above it.
    const QStringList lowBands = {"ADDSGQP", "CDDSGQP", "ADZB", "CCZB", "CCZC",
                                  "ADDSFI",  "CDDSFI",  "CDZB", "CDZC"};
    EXPECT_EQ(MoreobsTypes(3.5), QStringList({"CCZB", "CCZC", "CDZB", "CDZC", "ADDSFI", "CDDSFI"}));
    EXPECT_EQ(MoreobsTypes(3.4999), lowBands);
    EXPECT_EQ(MoreobsTypes(2.4), lowBands);
    EXPECT_EQ(MoreobsTypes(2.3999).size(), 8);
    EXPECT_EQ(MoreobsTypes(1.8).size(), 8);
    EXPECT_EQ(MoreobsTypes(1.7999).size(), 6);
    EXPECT_EQ(MoreobsTypes(1.15).size(), 6);
    EXPECT_EQ(MoreobsTypes(1.1499).size(), 3);
    EXPECT_EQ(MoreobsTypes(1.015).size(), 3);
    EXPECT_TRUE(MoreobsTypes(1.0149).isEmpty());

    StationState vars;
    vars.calibration.Q15A = 96.5;
    vars.calibration.Q15D = 132.7;
    vars.calibration.TempCoeff = -0.25;
    const QSettingsText q = ShowQSettings(vars.calibration, "AD", 25);
    EXPECT_EQ(q.temperature, "Instr. Temp. 25.0 DgsC");
    EXPECT_EQ(q.q1Values, QStringList({"94.8", "130.3"}));
    EXPECT_EQ(q.q2Values, QStringList({"96.5", "132.7"}));
    EXPECT_EQ(ShowQSettings(vars.calibration, "CC", 25).readingLabels.last(), "Second C':");
}
