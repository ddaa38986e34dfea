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

// The series of n + 2 readings on the gauge, from `read`, which returns a
// reading, nothing when the operator's e&Xit ends the series, or the
// counter's failure.
using ReadOne = std::function<Result<std::optional<double>>()>;
RdialReading ReadSeries(const OperatorSettings& settings, GaugeDisplay& gauge, Sounds& sounds,
                        Clock& clock, int& n, const ReadOne& read) {
    if (n < 2) {
        n = 4;
    }
    const int total = n + 2;
    gauge.Open(QStringLiteral("UP"), total, 1,
               QStringLiteral("Reading R-dial ") + QString::number(total) +
                   QStringLiteral(" times."));
    if (settings.AudioPrompts == 1) {
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
        const Result<std::optional<double>> reading = read();
        if (!reading) {
            gauge.Close();
            result.failure = reading.error();
            return result;
        }
        if (!*reading) {
            break;
        }
        const double x = **reading;
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

RdialReading ReadRdial(const OperatorSettings& settings, Cub5Encoder& encoder, GaugeDisplay& gauge,
                       Sounds& sounds, Clock& clock, int& n) {
    return ReadSeries(settings, gauge, sounds, clock, n, [&]() -> Result<std::optional<double>> {
        // The gauge's e&Xit stays live during the read and ends it at once.
        const Result<double> x = encoder.ReadEncoder(1.0, [&gauge] { return gauge.ExitPressed(); });
        if (!x) {
            return x.error();
        }
        if (encoder.Interrupted()) {
            return std::optional<double>();
        }
        return std::optional<double>(*x);
    });
}

RdialReading PracticeRdial(const OperatorSettings& settings, GaugeDisplay& gauge, Sounds& sounds,
                           Clock& clock, int& n, double value) {
    return ReadSeries(settings, gauge, sounds, clock, n, [&]() -> Result<std::optional<double>> {
        // The one-second window of a reading, with the gauge's e&Xit live.
        clock.WaitProcessingEvents(1.0);
        if (gauge.ExitPressed()) {
            return std::optional<double>();
        }
        return std::optional<double>(value);
    });
}

bool CountdownGauge(GaugeDisplay& gauge, Sounds& sounds, Clock& clock, short& seconds) {
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
