// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/OperatorSettings.h"
#include "instrument/Cub5Encoder.h"
#include "sound/Play.h"
#include "util/Clock.h"
#include "util/GaugeDisplay.h"
#include "util/Result.h"

#include <optional>

#include <QStringList>

namespace quillon {

struct RdialReading {
    double mean = 0;
    double sd = 0;
    bool escaped = false;         // the operator left with e&Xit
    std::optional<Error> failure; // the counter failed, and why
};

// Readings of one measurement: n + 2 values of 1-second windows, the highest
// and the lowest dropped, mean and deviation of the n others. n below 2
// becomes 4 (in the caller's variable).
RdialReading ReadRdial(const OperatorSettings& settings, Cub5Encoder& encoder, GaugeDisplay& gauge,
                       Sounds& sounds, Clock& clock, int& n);

// The same series without an encoder, for practice runs: each reading takes
// its second as a real one does and gives `value`.
RdialReading PracticeRdial(const OperatorSettings& settings, GaugeDisplay& gauge, Sounds& sounds,
                           Clock& clock, int& n, double value);

// Counts `seconds` down on the gauge, speaking each remaining second; more
// than 60 is cut to 60 in the caller's variable. False when the operator
// left with e&Xit.
bool CountdownGauge(GaugeDisplay& gauge, Sounds& sounds, Clock& clock, short& seconds);

// The statistics of a completed series with its extremes dropped.
struct TrimmedStats {
    double mean = 0;
    double sd = 0;
};
TrimmedStats TrimmedMean(double sum, double sumSquares, double highest, double lowest, int n);

} // namespace quillon
