// SPDX-License-Identifier: GPL-3.0-or-later
#include "instrument/WaitGauge.h"

#include "util/Format.h"

#include <cmath>
#include <functional>

namespace quillon {

TrimmedStats TrimmedMean(double sum, double sumSquares, double highest, double lowest, int n) {
    const double s = sum - highest - lowest;
    const double q = sumSquares - highest * highest - lowest * lowest;
    TrimmedStats out;
    out.mean = s / n;
    out.sd = std::sqrt(std::fabs(q - s * s / n) / (n - 1));
    return out;
}

namespace {

// The series of n + 2 readings on the gauge, from `read`, which returns
// false when the series must end (the operator's e&Xit or a counter
// failure, told apart by `failed`).
RdialReading ReadSeries(SharedVars& vars, GaugeDisplay& gauge, Sounds& sounds, Clock& clock, int& n,
                        const std::function<bool(double*, bool*)>& read) {
    if (n < 2) {
        n = 4;
    }
    const int total = n + 2;
    gauge.Open(QStringLiteral("UP"), total, 1,
               QStringLiteral("Reading R-dial ") + QString::number(total) +
                   QStringLiteral(" times."));
    if (vars.AudioPrompts == 1) {
        sounds.ThreeBeeps();
    }
    RdialReading result;
    double sum = 0;
    double sumSquares = 0;
    double highest = 0;
    double lowest = 0;
    for (int count = 1; count <= total; ++count) {
        clock.WaitProcessingEvents(0.01);
        if (gauge.ExitPressed()) {
            break;
        }
        double x = 0;
        bool failed = false;
        if (!read(&x, &failed)) {
            if (failed) {
                gauge.Close();
                result.failed = true;
                return result;
            }
            break;
        }
        if (count == 1) {
            highest = x;
            lowest = x;
        } else {
            highest = x > highest ? x : highest;
            lowest = x < lowest ? x : lowest;
        }
        sum += x;
        sumSquares += x * x;
        gauge.SetProgress(count, QStringLiteral("Reading #") + QString::number(count) +
                                     QStringLiteral(" Position:") + FormatNumber(x, u"###.0"));
        sounds.PlayReadingCue();
    }
    if (gauge.ExitPressed()) {
        gauge.Close();
        vars.DialogChoice = 1;
        result.escaped = true;
        return result;
    }
    sounds.PlayAttention();
    gauge.Close();
    const TrimmedStats stats = TrimmedMean(sum, sumSquares, highest, lowest, n);
    result.mean = stats.mean;
    result.sd = stats.sd;
    return result;
}

} // namespace

RdialReading ReadRdial(SharedVars& vars, Cub5Encoder& encoder, GaugeDisplay& gauge, Sounds& sounds,
                       Clock& clock, int& n) {
    return ReadSeries(vars, gauge, sounds, clock, n, [&](double* x, bool* failed) {
        // The gauge's e&Xit stays live during the read and ends it at once.
        *x = encoder.ReadEncoder(1.0, [&gauge] { return gauge.ExitPressed(); });
        if (encoder.Interrupted()) {
            return false;
        }
        *failed = !vars.EncoderError.isEmpty();
        return !*failed;
    });
}

RdialReading PracticeRdial(SharedVars& vars, GaugeDisplay& gauge, Sounds& sounds, Clock& clock,
                           int& n, double value) {
    return ReadSeries(vars, gauge, sounds, clock, n, [&](double* x, bool*) {
        // The one-second window of a reading, with the gauge's e&Xit live.
        clock.WaitProcessingEvents(1.0);
        *x = value;
        return !gauge.ExitPressed();
    });
}

bool CountdownGauge(SharedVars& vars, GaugeDisplay& gauge, Sounds& sounds, Clock& clock,
                    short& seconds) {
    if (seconds > 60) {
        seconds = 60;
    }
    int value = seconds;
    gauge.Open(QStringLiteral("DOWN"), seconds, value, QString());
    double interval = 1.0;
    for (;;) {
        clock.WaitProcessingEvents(interval);
        if (gauge.ExitPressed()) {
            gauge.Close();
            vars.DialogChoice = 1;
            return false;
        }
        if (value == 0) {
            gauge.Close();
            return true;
        }
        const DateTimeValue t0 = clock.Now();
        --value;
        gauge.SetProgress(value, QString::number(value) + QStringLiteral(" Seconds to Go"));
        sounds.SayNumber(static_cast<short>(value));
        const double elapsed = (clock.Now() - t0) * 86400.0;
        interval = elapsed >= 1.0 ? 0.01 : std::floor((1.0 - elapsed) * 1000.0) / 1000.0;
    }
}

} // namespace quillon
