// SPDX-License-Identifier: GPL-3.0-or-later
// The standard lamp test through its seams: fake counter and clock, a
// scripted operator. The checks' boundaries, each escape choice, a whole
// accepted test with the corrections worked by hand from the demo N-table,
// and a lamp whose reference values are not known.
#include "calibration/StandardLampTest.h"
#include "calibration/UnappliedChanges.h"
#include "config/GetInfo.h"
#include "records/DayFileReader.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// The operator and the lamp: the dial moves to the next planned value at
// each reading series; prompts go on; the escape choice and the dialogs'
// answers are scripted.
class ScriptedLamp : public StandardLampScreens, public GaugeDisplay {
public:
    explicit ScriptedLamp(FakeCounterLink& link) : link_(link) {}
    GaugeDisplay& Gauge() override { return *this; }
    std::optional<QString> AskInitials(const QString& caption, const QStringList& lines) override {
        log << "initials " + caption + "|" + lines.first();
        offered << settings->ObserverInitials;
        return escapeInitials ? std::nullopt : std::optional<QString>("RDE");
    }
    std::optional<double> AskTemperature(const QString& caption,
                                         const QStringList& lines) override {
        log << "temperature " + caption + "|" + lines.join("|");
        return escapeTemperature ? std::nullopt : std::optional<double>(21.0);
    }
    ContinueOrEscape OperatorPrompt(const QString& caption, const QStringList& lines) override {
        prompts << caption + "|" + lines.join("|");
        return escapeAtPrompts.contains(++promptCount) ? ContinueOrEscape::Escape
                                                       : ContinueOrEscape::Continue;
    }
    // Choices by their place on "Handle_ESC", 1 to 5.
    LampEscapeChoice EscapeChoice(const QString& stage) override {
        stages << stage;
        static const LampEscapeChoice kByPlace[5] = {
            LampEscapeChoice::Redo, LampEscapeChoice::SequenceOver, LampEscapeChoice::StartOver,
            LampEscapeChoice::NewLamp, LampEscapeChoice::TopLevel};
        return kByPlace[(choices.isEmpty() ? 5 : choices.takeFirst()) - 1];
    }
    void HighDeviation(const QString& line) override { log << "Hi_SD " + line; }
    // 0 continue, 1 start over, 2 a new lamp.
    GrossErrorChoice GrossError() override {
        log << "blunder";
        static const GrossErrorChoice kByPlace[3] = {
            GrossErrorChoice::Continue, GrossErrorChoice::StartOver, GrossErrorChoice::NewLamp};
        return kByPlace[grossAnswer];
    }
    void Scattered(const QString& line) override { log << "Hi_Scatter " + line; }
    void ShowReading(int, int, double) override {}
    void ClearReadings() override {}
    void ShowAverages(const std::array<double, 4>&) override { log << "averages"; }
    BigChangeChoice BigCorrectionChange(const QStringList&) override {
        log << "Big_corr_change";
        return useNew ? BigChangeChoice::UseNewValues : BigChangeChoice::StartOver;
    }
    ContinueOrEscape ConfirmRejectRun() override { return rejectAnswer; }
    // GaugeDisplay
    void SetCallerText(const QString& caption, const QString&) override { captions << caption; }
    void Open(const QString& mode, int, int, const QString&) override {
        exit_ = mode == "DOWN" && ++countdowns == exitAtCountdown;
        if (mode == "UP") {
            ++series;
            exit_ = series == exitAtSeries;
            link_.SetValue(dial[static_cast<size_t>((series - 1) % dial.size())]);
        }
    }
    void SetProgress(int, const QString&) override {}
    bool ExitPressed() const override { return exit_; }
    void Close() override {}

    std::vector<double> dial = {150.5, 140.5, 129.5, 120.0};
    QStringList prompts, stages, log, captions;
    // The initials each initials screen offered.
    QStringList offered;
    ContinueOrEscape rejectAnswer = ContinueOrEscape::Continue;
    const OperatorSettings* settings = nullptr;
    QList<int> choices;
    QList<int> escapeAtPrompts;
    int promptCount = 0;
    int grossAnswer = 0;
    bool useNew = true;
    int countdowns = 0;
    int exitAtCountdown = -1;
    int series = 0;
    int exitAtSeries = -1;
    bool escapeInitials = false;
    bool escapeTemperature = false;

private:
    FakeCounterLink& link_;
    bool exit_ = false;
};

class StandardLampTestTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars = LoadedVars(station);
        station.Write("config/reflmps.061", "\"01/01/2020\"\r\n\"L1\",150.0,140.0,130.0,120.0\r\n"
                                            "\"L2\",100,100,100,100\r\n");
        ASSERT_TRUE(fakes.OpenEncoder());
        vars.settings.InstrumentTemperature = 20.0;
        vars.settings.AudioPrompts = 0;
        op.settings = &vars.settings;
    }
    TestStation station;
    StationState vars;
    // 8 December 2026, 17:00 UTC: 10:00 local at Boulder.
    TestServices fakes{vars, MakeDateTime(2026, 12, 8, 17, 0, 0)};
    ScriptedLamp op{fakes.link};
};

} // namespace

TEST(StandardLampChecks, Boundaries) {
    EXPECT_FALSE(StandardLampTest::DeviationTooHigh(kLampCPrime, 0.7));
    EXPECT_TRUE(StandardLampTest::DeviationTooHigh(kLampCPrime, 0.8));
    for (const int w : {kLampA, kLampC, kLampD}) {
        EXPECT_FALSE(StandardLampTest::DeviationTooHigh(w, 0.5));
        EXPECT_TRUE(StandardLampTest::DeviationTooHigh(w, 0.6));
    }
    EXPECT_TRUE(StandardLampTest::Scattered(kLampA, {100.0, 100.4, 100.6}));
    EXPECT_FALSE(StandardLampTest::Scattered(kLampCPrime, {100.0, 100.7, 100.2}));
    EXPECT_FALSE(StandardLampTest::BigChange(kLampD, 0.0, 1.4));
    EXPECT_TRUE(StandardLampTest::BigChange(kLampD, 0.0, 1.6));
    EXPECT_TRUE(StandardLampTest::BigChange(kLampA, 0.0, 1.1));
    EXPECT_FALSE(StandardLampTest::BigChange(kLampA, 0.4, -0.5));
}

TEST_F(StandardLampTestTest, OpeningAsksInitialsThenTemperatureAndEitherEscapeEndsIt) {
    StandardLampTest test(fakes.services, op, ReadReferenceLamps(vars.setup));
    vars.settings.ObserverInitials = "OLD";
    EXPECT_TRUE(test.Open());
    EXPECT_EQ(op.log, QStringList({"initials Input initials for Standard Lamp Tests.|THE GROUND "
                                   "QUARTZ PLATE MUST BE IN THE INLET WINDOW",
                                   "temperature Instrument Temperature for lamp test.|Read and "
                                   "Enter the Instrument Temperature."}));
    // The last operator's initials are never offered; the new ones are kept.
    EXPECT_EQ(op.offered, QStringList{QString()});
    EXPECT_EQ(vars.settings.ObserverInitials, "RDE");
    EXPECT_EQ(fakes.player.played, std::vector<int>({133, 135}));

    op.log.clear();
    op.escapeInitials = true;
    EXPECT_FALSE(test.Open());
    EXPECT_EQ(op.log.size(), 1); // no temperature after an escape
    op.log.clear();
    op.escapeInitials = false;
    op.escapeTemperature = true;
    EXPECT_FALSE(test.Open());
    EXPECT_EQ(op.log.size(), 2);
}

TEST_F(StandardLampTestTest, ReferenceFileAndLampLookup) {
    const ReferenceLamps lamps = ReadReferenceLamps(vars.setup);
    EXPECT_EQ(lamps.date, "01/01/2020");
    ASSERT_EQ(lamps.lamps.size(), 2);
    EXPECT_EQ(lamps.lamps[1].name, "L2");
    StandardLampTest test(fakes.services, op, lamps);
    EXPECT_TRUE(test.SelectLamp("l1"));
    EXPECT_DOUBLE_EQ(test.Reference()[2], 130.0);
    EXPECT_FALSE(test.SelectLamp("L9"));
    // The N-table's date is not the lamp file's.
    EXPECT_EQ(vars.calibration.NTableDate, "03/12/2024");
    station.Remove("config/reflmps.061");
    EXPECT_TRUE(ReadReferenceLamps(vars.setup).lamps.isEmpty());
    EXPECT_TRUE(ReadReferenceLamps(vars.setup).problems.isEmpty()); // no file: no lamps, no fault
}

TEST_F(StandardLampTestTest, ABadReferenceLampIsNamedAndTheOthersKept) {
    const QString path = station.Home() + "config/reflmps.061";
    // A value that is no number, one beyond single precision, a negative
    // reading, and a lamp spread over two lines; and a lamp cut short.
    station.Write("config/reflmps.061", "\"01/01/2020\"\r\n"
                                        "\"L1\",150.0,140.0,130.0,120.0\r\n"
                                        "\"L2\",151.0,x,131.0,121.0\r\n"
                                        "\"L3\",1e39,141.0,131.0,121.0\r\n"
                                        "\"L4\",-5,141.0,131.0,121.0\r\n"
                                        "\"L5\",152.0,142.0,\r\n132.0,122.0\r\n"
                                        "\"L6\",153.0\r\n");
    const ReferenceLamps lamps = ReadReferenceLamps(vars.setup);
    ASSERT_EQ(lamps.lamps.size(), 2);
    EXPECT_EQ(lamps.lamps[0].name, "L1");
    EXPECT_EQ(lamps.lamps[1].name, "L5");
    EXPECT_DOUBLE_EQ(lamps.lamps[1].values[3], 122.0);
    const QString bad = ": not a lamp name and four R-dial readings from 0 to 300, skipped";
    EXPECT_EQ(lamps.problems,
              QStringList({path + " line 3" + bad, path + " line 4" + bad, path + " line 5" + bad,
                           path + " line 8: a lamp cut short, skipped"}));
    // A file that is there but cannot be read is named with the reason.
    station.Remove("config/reflmps.061");
    ASSERT_TRUE(QDir().mkpath(path));
    const ReferenceLamps none = ReadReferenceLamps(vars.setup);
    EXPECT_TRUE(none.lamps.isEmpty());
    ASSERT_EQ(none.problems.size(), 1);
    EXPECT_TRUE(none.problems[0].startsWith(path + " cannot be read: "));
}

TEST_F(StandardLampTestTest, AcceptedTestGivesTheNewCorrectionsEverywhere) {
    StandardLampTest test(fakes.services, op, ReadReferenceLamps(vars.setup));
    ASSERT_TRUE(test.SelectLamp("L1"));
    ASSERT_EQ(test.Run(), LampRunOutcome::Complete);
    EXPECT_EQ(op.series, 12);
    EXPECT_EQ(op.captions[0], "Countdown for Lamp Test A No. 1");
    EXPECT_EQ(op.captions[1], "Taking Readings for Lamp Test A No. 1 For Lamp L1");
    // Q1 at 20 degrees: 96.5 - 0.25 x 0.67 x 5 = 95.66.
    EXPECT_EQ(op.prompts[0], "Escape key will stop lamp test.|Set the Q-levers for the A "
                             "wavelength:|Q2: 96.5     Q1: 95.7|To Start the A Measurement No:1");
    EXPECT_EQ(op.log, QStringList{"averages"});
    fakes.clock.Set(MakeDateTime(2026, 12, 8, 17, 30, 0)); // accepted at 10:30 local
    ASSERT_TRUE(test.Accept());
    // From the demo N-table (rows of R = 120 to 160):
    // A: N(150.0) - N(150.5) = 140.5 - (140.5 + 9.7 x 0.05) = -0.485
    // C: N(140.0) - N(140.5) = 124.1 - (124.1 + 9.1 x 0.05) = -0.455
    // C': N(130.0) - N(129.5) = 115.0 - (105.9 + 9.1 x 0.95) = 0.455
    // D: N(120.0) - N(120.0) = 0
    EXPECT_NEAR(vars.calibration.LampCorr[0], -0.485, 1e-9);
    EXPECT_NEAR(vars.calibration.LampCorr[1], -0.455, 1e-9);
    EXPECT_NEAR(vars.calibration.LampCorr[2], 0.455, 1e-9);
    EXPECT_NEAR(vars.calibration.LampCorr[3], 0.0, 1e-9);
    EXPECT_EQ(vars.calibration.LampCorrLamp, "L1");
    EXPECT_EQ(vars.calibration.LampCorrDate, "12/08/2026");
    EXPECT_EQ(vars.calibration.LastStdTest, "12/08/2026");
    EXPECT_EQ(station.Read("config/lampcorr.061"),
              "\"12/08/2026\"\r\n\"L1\"\r\n-0.5,-0.5,0.5,0.0\r\n");
    const QStringList expected = {
        "\"STDLAMP\",\"12/08/2026\",\"10:30:00\",\"L1\",20",
        "150.5 150.5 150.5 140.5 140.5 140.5 129.5 129.5 129.5 120.0 120.0 120.0 ",
        "000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 ",
        "Test Average: 150.5140.5  129.5  120.0   Std Dev: 000.0000.0  000.0  000.0  "};
    EXPECT_EQ(SplitLines(DecodeWindows1252(station.Read("history/lamphist.061"))), expected);
    // In the day file: the record, then the comment that its corrections
    // are in use.
    const QStringList day = SplitLines(DecodeWindows1252(station.Read("data/D26342.061")));
    EXPECT_EQ(day.mid(day.size() - 6, 4), expected);
    EXPECT_EQ(day.mid(day.size() - 2),
              QStringList({"\"COMMENT\",\"12/08/2026\",\"10:30:00\",1",
                           "\"New lamp corrections in use from lamp L1\""}));
    // Read back: the station starts with the new corrections and date.
    StationState again;
    again.setup.HomeDir = station.Home();
    RecordingMessages quiet;
    ASSERT_TRUE(ReadConfiguration(again.setup, again.calibration, quiet).ok());
    EXPECT_DOUBLE_EQ(again.calibration.LampCorr[0], -0.5);
    EXPECT_EQ(again.calibration.LastStdTest, "12/08/2026");
    EXPECT_EQ(again.calibration.LastHgTest, "11/28/2026");
}

TEST_F(StandardLampTestTest, RecordFirstThenCorrectionsAndARetryWritesNoSecondRecord) {
    StandardLampTest test(fakes.services, op, ReadReferenceLamps(vars.setup));
    ASSERT_TRUE(test.SelectLamp("L1"));
    ASSERT_EQ(test.Run(), LampRunOutcome::Complete);
    const QByteArray lampBefore = station.Read("config/lampcorr.061");
    const QByteArray instBefore = station.Read("config/inst.cfg");
    // The lamp correction file cannot be replaced: a directory in its place.
    QFile::remove(station.Home() + "config/lampcorr.061");
    ASSERT_TRUE(QDir().mkpath(station.Home() + "config/lampcorr.061"));
    fakes.messages.Expect("Standard Lamp Test");
    EXPECT_FALSE(test.Accept());
    EXPECT_TRUE(test.Complete()); // Accept can be tried again
    // The record is there, the corrections in use and inst.cfg unchanged,
    // and the day file says the corrections were not applied.
    EXPECT_EQ(SplitLines(DecodeWindows1252(station.Read("history/lamphist.061"))).size(), 4);
    EXPECT_DOUBLE_EQ(vars.calibration.LampCorr[0], 0.4);
    EXPECT_EQ(station.Read("config/inst.cfg"), instBefore);
    QString day = DecodeWindows1252(station.Read("data/D26342.061"));
    EXPECT_EQ(day.count("\"STDLAMP\""), 1);
    EXPECT_TRUE(day.contains("Standard lamp test recorded, corrections not applied: The lamp "));
    // Put right and accepted again: the corrections apply, no second record.
    ASSERT_TRUE(QDir(station.Home() + "config/lampcorr.061").removeRecursively());
    station.Write("config/lampcorr.061", lampBefore);
    ASSERT_TRUE(test.Accept());
    EXPECT_NEAR(vars.calibration.LampCorr[0], -0.485, 1e-9);
    EXPECT_EQ(SplitLines(DecodeWindows1252(station.Read("history/lamphist.061"))).size(), 4);
    day = DecodeWindows1252(station.Read("data/D26342.061"));
    EXPECT_EQ(day.count("\"STDLAMP\""), 1);
    EXPECT_TRUE(day.contains("New lamp corrections in use from lamp L1"));
}

TEST_F(StandardLampTestTest, AFailedHistoryWriteSavesNothing) {
    StandardLampTest test(fakes.services, op, ReadReferenceLamps(vars.setup));
    ASSERT_TRUE(test.SelectLamp("L1"));
    ASSERT_EQ(test.Run(), LampRunOutcome::Complete);
    const QByteArray lampBefore = station.Read("config/lampcorr.061");
    ASSERT_TRUE(QDir().mkpath(station.Home() + "history/lamphist.061"));
    fakes.messages.Expect("Standard Lamp Test");
    EXPECT_FALSE(test.Accept());
    EXPECT_TRUE(test.Complete());
    EXPECT_EQ(station.Read("config/lampcorr.061"), lampBefore);
    EXPECT_DOUBLE_EQ(vars.calibration.LampCorr[0], 0.4);
    EXPECT_FALSE(DecodeWindows1252(station.Read("data/D26342.061")).contains("STDLAMP"));
}

TEST_F(StandardLampTestTest, UnknownLampKeepsTheCorrectionsButRecordsTheTest) {
    const QByteArray before = station.Read("config/lampcorr.061");
    StandardLampTest test(fakes.services, op, ReadReferenceLamps(vars.setup));
    EXPECT_FALSE(test.SelectLamp("L9"));
    ASSERT_EQ(test.Run(), LampRunOutcome::Complete);
    ASSERT_TRUE(test.Accept());
    EXPECT_DOUBLE_EQ(vars.calibration.LampCorr[0], 0.4);
    EXPECT_EQ(station.Read("config/lampcorr.061"), before);
    EXPECT_EQ(vars.calibration.LastStdTest, "12/08/2026");
    EXPECT_FALSE(station.Read("history/lamphist.061").isEmpty());
}

TEST_F(StandardLampTestTest, ChecksAndEscapeChoices) {
    StandardLampTest test(fakes.services, op, ReadReferenceLamps(vars.setup));
    ASSERT_TRUE(test.SelectLamp("L2")); // reference 100: far from 150
    // Gross error after the first sequence: start over with this lamp.
    op.grossAnswer = 1;
    EXPECT_EQ(test.Run(), LampRunOutcome::StartOver);
    EXPECT_EQ(op.series, 4);
    EXPECT_EQ(op.log, QStringList{"blunder"});
    // Continue after the warning: the comment, then the run completes.
    op.grossAnswer = 0;
    op.log.clear();
    op.series = 0;
    EXPECT_EQ(test.Run(), LampRunOutcome::Complete);
    EXPECT_TRUE(DecodeWindows1252(station.Read("data/D26342.061"))
                    .contains("\"Test continued after warning\""));
    // The big change then asks: start over keeps nothing.
    op.useNew = false;
    EXPECT_FALSE(test.Accept());
    EXPECT_DOUBLE_EQ(vars.calibration.LampCorr[0], 0.4);
    EXPECT_TRUE(station.Read("history/lamphist.061").isEmpty());

    // Each escape choice: from a prompt (redo), a count-down (sequence
    // over), a reading (restart), then a new lamp and the top level.
    ASSERT_TRUE(test.SelectLamp("L1"));
    op.series = 0;
    op.countdowns = 0;
    // Prompts: 1 A (escaped, redo), 2 A, 3 C, 4 C' (count-down escaped,
    // sequence over), 5 A, 6 C (readings escaped, restart), 7 A (escaped).
    op.promptCount = 0;
    op.escapeAtPrompts = {1, 7};
    op.exitAtCountdown = 3;
    op.exitAtSeries = 4;
    op.choices = {1, 2, 3, 4};
    EXPECT_EQ(test.Run(), LampRunOutcome::NewLamp);
    EXPECT_EQ(op.stages, QStringList({"Before the A measurement in Sequence:1",
                                      "During Countdown for the C' measurement in Sequence:1",
                                      "During the C measurement in Sequence:1",
                                      "Before the A measurement in Sequence:1"}));
}

namespace {

// Runs a calibration workflow in a child process killed at its Nth file
// step; the station's files are then as a power cut would leave them.
// Returns the child's exit code (9 when it was killed).
int RunKilledAt(const TestStation& station, const char* workflow, int n) {
    QProcess child;
    child.start(QStringLiteral(QUILLON_CALIBRATION_KILLER),
                {station.Home(), QString::fromLatin1(workflow), QString::number(n)});
    EXPECT_TRUE(child.waitForFinished(30000));
    return child.exitCode();
}

QString Day(const TestStation& station) {
    return DecodeWindows1252(station.Read("data/D26342.061"));
}

} // namespace

TEST(KilledCalibration, AtEveryFileStepTheOldCalibrationOrTheNewWithItsRecord) {
    // Each workflow killed before and after each of its appends and
    // replaces, one kill per run, until a run completes.
    for (const char* workflow : {"qadjust", "hgtest", "stdlamp"}) {
        int kills = 0;
        int noticed = 0;
        for (int n = 1; n < 40; ++n) {
            TestStation station;
            station.Write("config/reflmps.061",
                          "\"01/01/2020\"\r\n\"L1\",150.0,140.0,130.0,120.0\r\n");
            station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/ttyUSB0\r\n");
            const StationState before = LoadedVars(station);
            const int code = RunKilledAt(station, workflow, n);
            const StationState after = LoadedVars(station);
            const QString day = Day(station);
            if (QLatin1String(workflow) == QLatin1String("qadjust")) {
                if (after.calibration.Q15A != before.calibration.Q15A) {
                    EXPECT_TRUE(day.contains("Q-table was Changed by: RDE By 01.00")) << n;
                }
            } else if (QLatin1String(workflow) == QLatin1String("hgtest")) {
                if (after.calibration.LastHgTest != before.calibration.LastHgTest) {
                    EXPECT_TRUE(station.Read("history/hghist.061").contains("HGLAMP,12/08/2026"))
                        << n;
                }
            } else {
                const bool newCorrections =
                    after.calibration.LampCorr != before.calibration.LampCorr;
                const bool newDate =
                    after.calibration.LastStdTest != before.calibration.LastStdTest;
                if (newCorrections || newDate) {
                    EXPECT_TRUE(station.Read("history/lamphist.061").contains("\"STDLAMP\"")) << n;
                }
                if (newCorrections) {
                    EXPECT_EQ(after.calibration.LampCorrLamp, "L1") << n;
                }
            }
            // What the next start notices: the change recorded but not in
            // inst.cfg, and nothing when the kill left the old calibration
            // without the record or the new one with it.
            bool recordedOnly = false;
            QString notice;
            const QList<UnappliedChange> unapplied =
                FindUnappliedChanges(after.setup, after.calibration);
            if (QLatin1String(workflow) == QLatin1String("qadjust")) {
                recordedOnly = day.contains("New Values A:") &&
                               after.calibration.Q15A == before.calibration.Q15A;
                notice = "the Q-table change of 12/08/2026 10:00 did not reach inst.cfg; inst.cfg "
                         "holds the values from before it";
            } else if (QLatin1String(workflow) == QLatin1String("hgtest")) {
                recordedOnly = station.Read("history/hghist.061").contains("HGLAMP,12/08/2026") &&
                               after.calibration.LastHgTest == before.calibration.LastHgTest;
                notice = "the mercury test of 12/08/2026 10:00 did not reach inst.cfg; inst.cfg "
                         "holds the values from before it";
            } else {
                recordedOnly = station.Read("history/lamphist.061").contains("\"STDLAMP\"") &&
                               after.calibration.LastStdTest == before.calibration.LastStdTest;
                notice = "the standard lamp test of 12/08/2026 10:";
            }
            if (recordedOnly) {
                ++noticed;
                ASSERT_EQ(unapplied.size(), 1) << workflow << " " << n;
                EXPECT_TRUE(unapplied[0].text.startsWith(notice))
                    << workflow << " " << n << " " << unapplied[0].text.toStdString();
            } else {
                EXPECT_TRUE(unapplied.isEmpty()) << workflow << " " << n;
            }
            // Every file of records holds whole records only.
            const QByteArray dayBytes = station.Read("data/D26342.061");
            EXPECT_EQ(DayFileWholeLength(dayBytes), dayBytes.size()) << workflow << " " << n;
            if (code != 9) {
                EXPECT_EQ(code, 0) << workflow << " " << n;
                break; // completed: every step has been a kill point
            }
            ++kills;
        }
        EXPECT_GE(kills, 2) << workflow;
        EXPECT_GE(noticed, 1) << workflow;
    }
}

TEST_F(StandardLampTestTest, TheScreensCommandsDecidedHere) {
    StandardLampTest test(fakes.services, op, ReadReferenceLamps(vars.setup));
    // Select: no name, or the list's own placeholder, chooses nothing.
    EXPECT_FALSE(test.ChooseLamp("  "));
    EXPECT_FALSE(test.ChooseLamp("Lamp Name"));
    EXPECT_FALSE(test.LampChosen());
    EXPECT_TRUE(test.ChooseLamp(" l1 "));
    EXPECT_TRUE(test.LampChosen());
    EXPECT_TRUE(test.ReferenceKnown());
    EXPECT_EQ(test.LampName(), "l1");
    // A run to inspect, then Reject kept by Escape and taken by Space.
    EXPECT_EQ(test.Start(), StandardLampTest::Next::Inspect);
    EXPECT_TRUE(test.Complete());
    op.rejectAnswer = ContinueOrEscape::Escape;
    EXPECT_FALSE(test.Reject());
    EXPECT_TRUE(test.Complete());
    op.rejectAnswer = ContinueOrEscape::Continue;
    EXPECT_TRUE(test.Reject());
    EXPECT_FALSE(test.Complete());
    EXPECT_FALSE(QFile::exists(station.Home() + "history/lamphist.061"));
    // A new lamp chosen at the escape forgets the one chosen; the top level
    // leaves the screen.
    op.choices = {4};
    op.exitAtCountdown = op.countdowns + 1;
    EXPECT_EQ(test.Start(), StandardLampTest::Next::ChooseLamp);
    EXPECT_FALSE(test.LampChosen());
    ASSERT_TRUE(test.ChooseLamp("L1"));
    op.choices = {5};
    op.exitAtCountdown = op.countdowns + 1;
    EXPECT_EQ(test.Start(), StandardLampTest::Next::Leave);
    // A run accepted: saved; New Temperature kept on Escape, taken on Enter.
    op.exitAtCountdown = -1;
    ASSERT_EQ(test.Start(), StandardLampTest::Next::Inspect);
    EXPECT_EQ(test.AcceptRun(), StandardLampTest::Accepted::Saved);
    op.escapeTemperature = true;
    test.NewTemperature();
    EXPECT_DOUBLE_EQ(vars.settings.InstrumentTemperature, 20.0);
    op.escapeTemperature = false;
    test.NewTemperature();
    EXPECT_DOUBLE_EQ(vars.settings.InstrumentTemperature, 21.0);
    EXPECT_EQ(op.log.last(), "temperature Instrument Temperature for lamp test.|");
}
