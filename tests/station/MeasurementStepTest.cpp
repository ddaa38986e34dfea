// SPDX-License-Identifier: GPL-3.0-or-later
// One measurement as every workflow makes it, through its seams: the
// prompt, the count-down and the reading series each left by the
// operator, a whole measurement on the counter, a practice run without
// one, and a silent counter.
#include "station/MeasurementStep.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// The wait gauge: the captions as set, each mode opened, and e&Xit pressed
// at the opening given.
class RecordingGauge : public GaugeDisplay {
public:
    void SetCallerText(const QString& caption, const QString&) override { log << caption; }
    void Open(const QString& mode, int maximum, int, const QString&) override {
        log << mode + QString::number(maximum);
        exit_ = ++opened == exitAtOpening;
    }
    void SetProgress(int, const QString&) override {}
    bool ExitPressed() const override { return exit_; }
    void Close() override {}
    QStringList log;
    int opened = 0;
    int exitAtOpening = -1;

private:
    bool exit_ = false;
};

MeasurementSpec Spec(QStringList& log) {
    MeasurementSpec spec;
    spec.countdownCaption = "Count-down for A";
    spec.countdownSeconds = 3;
    spec.readingCaption = "Taking Readings for A";
    spec.beforeReadings = [&log] { log << "before readings"; };
    return spec;
}

} // namespace

TEST(MeasurementStep, EachStageLeftByTheOperatorSaysWhere) {
    StationState vars;
    TestServices fakes(vars);
    RecordingGauge gauge;
    int n = 8;
    MeasurementSpec spec = Spec(gauge.log);
    spec.prompt = [] { return false; };
    MeasurementResult r = RunMeasurementStep(fakes.services, gauge, spec, n);
    EXPECT_EQ(r.outcome, MeasurementOutcome::Escaped);
    EXPECT_EQ(r.escapedAt, MeasurementStage::Prompt);
    EXPECT_TRUE(gauge.log.isEmpty()); // nothing counted, nothing read

    spec.prompt = [] { return true; };
    gauge.exitAtOpening = 1;
    r = RunMeasurementStep(fakes.services, gauge, spec, n);
    EXPECT_EQ(r.outcome, MeasurementOutcome::Escaped);
    EXPECT_EQ(r.escapedAt, MeasurementStage::Countdown);
    EXPECT_FALSE(gauge.log.contains("before readings"));

    gauge.log.clear();
    gauge.opened = 0;
    gauge.exitAtOpening = 2;
    ASSERT_TRUE(fakes.OpenEncoder());
    fakes.link.SetValue(150.0);
    r = RunMeasurementStep(fakes.services, gauge, spec, n);
    EXPECT_EQ(r.outcome, MeasurementOutcome::Escaped);
    EXPECT_EQ(r.escapedAt, MeasurementStage::Readings);
}

TEST(MeasurementStep, AWholeMeasurementOnTheCounterAndAPracticeRun) {
    StationState vars;
    TestServices fakes(vars);
    ASSERT_TRUE(fakes.OpenEncoder());
    fakes.link.SetValue(150.3);
    RecordingGauge gauge;
    int n = 4;
    MeasurementResult r = RunMeasurementStep(fakes.services, gauge, Spec(gauge.log), n);
    ASSERT_EQ(r.outcome, MeasurementOutcome::Done);
    // Six one-second readings (n + 2) of a dial standing still.
    EXPECT_NEAR(r.mean, 150.3, 1e-9);
    EXPECT_NEAR(r.sd, 0.0, 1e-9);
    EXPECT_EQ(r.countedSeconds, 3);
    EXPECT_EQ(gauge.log, QStringList({"Count-down for A", "DOWN3", "before readings",
                                      "Taking Readings for A", "UP6"}));

    // Without an encoder the workflow's own value, with its deviation.
    vars.setup.EncoderInUse = false;
    MeasurementSpec practice = Spec(gauge.log);
    practice.practiceValue = [] { return 123.4; };
    practice.practiceDeviation = 0.3;
    n = 1; // below 2: four readings
    r = RunMeasurementStep(fakes.services, gauge, practice, n);
    ASSERT_EQ(r.outcome, MeasurementOutcome::Done);
    EXPECT_EQ(n, 4);
    EXPECT_NEAR(r.mean, 123.4, 0.5);
    EXPECT_DOUBLE_EQ(r.sd, 0.3);
}

TEST(MeasurementStep, ASilentCounterFailsTheMeasurementAndEndsTheProgram) {
    StationState vars;
    TestServices fakes(vars);
    ASSERT_TRUE(fakes.OpenEncoder());
    fakes.link.SetMode(FakeCounterLink::Mode::Silent);
    RecordingGauge gauge;
    int n = 4;
    fakes.messages.Expect("ReadEncdr Error");
    const MeasurementResult r = RunMeasurementStep(fakes.services, gauge, Spec(gauge.log), n);
    EXPECT_EQ(r.outcome, MeasurementOutcome::Failed);
    EXPECT_EQ(fakes.programEnds, 1);
}
