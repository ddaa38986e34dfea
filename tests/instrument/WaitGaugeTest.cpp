// SPDX-License-Identifier: GPL-3.0-or-later
// Reading series and count-downs on a scripted gauge: the trimmed mean, the
// minimum readings count, escape, the spoken seconds and the cues.
#include "instrument/WaitGauge.h"
#include "support/TestServices.h"

#include <functional>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// A gauge that records what it shows and can press e&Xit at a given step.
class ScriptedGauge : public GaugeDisplay {
public:
    void SetCallerText(const QString& c, const QString&) override { caption = c; }
    void Open(const QString& m, int maximum, int value, const QString& i) override {
        mode = m;
        max = maximum;
        progress = value;
        info = i;
        open = true;
    }
    void SetProgress(int value, const QString& topLine) override {
        progress = value;
        lines << topLine;
        if (onProgress) {
            onProgress(value);
        }
    }
    bool ExitPressed() const override {
        return exitAfter >= 0 && progress >= 0 && lines.size() >= exitAfter;
    }
    void Close() override { open = false; }

    QString caption, mode, info;
    int max = 0;
    int progress = 0;
    bool open = false;
    int exitAfter = -1;
    QStringList lines;
    std::function<void(int)> onProgress;
};

class WaitGaugeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fakes.OpenEncoder()); }
    StationState vars;
    TestServices fakes{vars, MakeDateTime(2026, 12, 8, 12, 0, 0)};
    ScriptedGauge gauge;
};

std::vector<int> Count(const std::vector<int>& played, int sound) {
    std::vector<int> out;
    for (int p : played) {
        if (p == sound) {
            out.push_back(p);
        }
    }
    return out;
}

} // namespace

TEST(TrimmedMean, DropsOneHighAndOneLow) {
    // Ten readings 100..109 plus 150 and 50.
    double sum = 0, squares = 0;
    for (int i = 0; i < 10; ++i) {
        sum += 100 + i;
        squares += (100 + i) * (100 + i);
    }
    sum += 150 + 50;
    squares += 150 * 150 + 50 * 50;
    const TrimmedStats s = TrimmedMean(sum, squares, 150, 50, 10);
    EXPECT_DOUBLE_EQ(s.mean, 104.5);
    EXPECT_NEAR(s.sd, 3.0276503540974917, 1e-9);
}

TEST_F(WaitGaugeTest, SeriesOfTwelveWithOutliersGivesTheMeanOfTheOthers) {
    const std::vector<double> readings = {104, 150, 100, 101, 102, 103,
                                          50,  105, 106, 107, 108, 109};
    fakes.link.SetValue(readings[0]);
    gauge.onProgress = [&](int count) {
        if (count < static_cast<int>(readings.size())) {
            fakes.link.SetValue(readings[static_cast<size_t>(count)]);
        }
    };
    int n = 10;
    const RdialReading r =
        ReadRdial(vars.settings, fakes.encoder, gauge, fakes.sounds, fakes.clock, n);
    EXPECT_FALSE(r.escaped);
    EXPECT_FALSE(r.failure.has_value());
    EXPECT_NEAR(r.mean, 104.5, 1e-9);
    EXPECT_NEAR(r.sd, 3.0276503540974917, 1e-9);
    EXPECT_EQ(gauge.mode, "UP");
    EXPECT_EQ(gauge.max, 12);
    EXPECT_EQ(gauge.info, "Reading R-dial 12 times.");
    ASSERT_EQ(gauge.lines.size(), 12);
    EXPECT_EQ(gauge.lines[1], "Reading #2 Position:150.0");
    EXPECT_FALSE(gauge.open);
    // Three beeps (audio prompts on), a reading cue each, attention at the end.
    EXPECT_EQ(Count(fakes.player.played, 0).size(), 1u); // the three beeps, one image
    EXPECT_EQ(Count(fakes.player.played, 138).size(), 12u);
    EXPECT_EQ(fakes.player.played.back(), 133);
}

TEST_F(WaitGaugeTest, ReadingsCountBelowTwoBecomesFourAndNoBeepsWithoutAudio) {
    vars.settings.AudioPrompts = 0;
    fakes.link.SetValue(55);
    for (int start : {0, 1}) {
        int n = start;
        gauge.lines.clear();
        const RdialReading r =
            ReadRdial(vars.settings, fakes.encoder, gauge, fakes.sounds, fakes.clock, n);
        EXPECT_EQ(n, 4);
        EXPECT_EQ(gauge.lines.size(), 6);
        EXPECT_NEAR(r.mean, 55, 1e-9);
        EXPECT_NEAR(r.sd, 0, 1e-6);
    }
    EXPECT_TRUE(Count(fakes.player.played, 0).empty());
}

TEST_F(WaitGaugeTest, ExitDuringReadingsLeavesZeros) {
    fakes.link.SetValue(120);
    gauge.exitAfter = 3;
    int n = 10;
    const RdialReading r =
        ReadRdial(vars.settings, fakes.encoder, gauge, fakes.sounds, fakes.clock, n);
    EXPECT_TRUE(r.escaped);
    EXPECT_EQ(r.mean, 0);
    EXPECT_EQ(r.sd, 0);
    EXPECT_EQ(gauge.lines.size(), 3);
    EXPECT_FALSE(gauge.open);
}

TEST_F(WaitGaugeTest, CounterFailureStopsTheSeries) {
    fakes.link.SetValue(120);
    gauge.onProgress = [&](int count) {
        if (count == 2) {
            fakes.link.SetMode(FakeCounterLink::Mode::Silent);
        }
    };
    int n = 10;
    const RdialReading r =
        ReadRdial(vars.settings, fakes.encoder, gauge, fakes.sounds, fakes.clock, n);
    ASSERT_TRUE(r.failure.has_value());
    EXPECT_EQ(r.failure->message,
              "The encoder counter on /dev/ttyUSB0 did not answer within 2 seconds (nothing "
              "arrived). Check the cable and the counter's power.");
    EXPECT_FALSE(gauge.open);
}

TEST_F(WaitGaugeTest, CountdownCutToSixtyAndSpokenSeconds) {
    short seconds = 75;
    const DateTimeValue start = fakes.clock.Now();
    EXPECT_TRUE(CountdownGauge(gauge, fakes.sounds, fakes.clock, seconds));
    EXPECT_EQ(seconds, 60);
    EXPECT_EQ(gauge.mode, "DOWN");
    EXPECT_EQ(gauge.max, 60);
    EXPECT_EQ(gauge.lines.front(), "59 Seconds to Go");
    EXPECT_EQ(gauge.lines.back(), "0 Seconds to Go");
    EXPECT_NEAR((fakes.clock.Now() - start) * 86400.0, 61.0, 0.05);

    fakes.player.played.clear();
    gauge.lines.clear();
    short five = 5;
    EXPECT_TRUE(CountdownGauge(gauge, fakes.sounds, fakes.clock, five));
    EXPECT_EQ(fakes.player.played, std::vector<int>({105, 104, 103, 102, 101}));
}

TEST_F(WaitGaugeTest, CountdownEscape) {
    gauge.exitAfter = 2;
    short seconds = 12;
    EXPECT_FALSE(CountdownGauge(gauge, fakes.sounds, fakes.clock, seconds));
    EXPECT_EQ(gauge.lines.size(), 2);
    EXPECT_FALSE(gauge.open);
}
