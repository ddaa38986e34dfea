// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "instrument/WaitGauge.h"
#include "station/Services.h"

#include <functional>

namespace quillon {

// One measurement as every workflow makes it (observations, lamp tests,
// the intercomparison): the operator's prompt when there is one, the
// spoken count-down on the wait gauge, then the reading series of n + 2
// one-second R-dial readings. Workflows differ in their texts, count-downs,
// n and limits; the shape is this one.
struct MeasurementSpec {
    // Asked before the count-down (observer-prompted observations, lamp
    // tests); false when the operator escaped. Empty: no prompt.
    std::function<bool()> prompt;
    QString countdownCaption;
    QString countdownLine;
    short countdownSeconds = 5;
    // Runs when the count-down is over, just before the first reading.
    std::function<void()> beforeReadings;
    QString readingCaption;
    QString readingLine;
    // Without an encoder the series is run in real time on readings made up
    // by the workflow (a practice run): this gives the value.
    std::function<double()> practiceValue;
    double practiceDeviation = 0.2;
};

enum class MeasurementOutcome {
    Done,
    Escaped, // the prompt, the count-down or the series was left by the operator
    Failed,  // the counter failed; it has been reported and the program is ending
};

// Where the operator left a measurement.
enum class MeasurementStage { Prompt, Countdown, Readings };

struct MeasurementResult {
    MeasurementOutcome outcome = MeasurementOutcome::Done;
    MeasurementStage escapedAt = MeasurementStage::Prompt;
    double mean = 0;
    double sd = 0;
    short countedSeconds = 0; // the count-down as it ran (cut to 60)
};

// Runs one measurement with `n` readings (n below 2 becomes 4 in the
// caller's variable).
MeasurementResult RunMeasurementStep(Services& services, GaugeDisplay& gauge,
                                     const MeasurementSpec& spec, int& n);

} // namespace quillon
