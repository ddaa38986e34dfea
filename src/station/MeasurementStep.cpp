// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/MeasurementStep.h"

namespace quillon {

MeasurementResult RunMeasurementStep(Services& s, GaugeDisplay& gauge, const MeasurementSpec& spec,
                                     int& n) {
    MeasurementResult result;
    if (spec.prompt && !spec.prompt()) {
        result.outcome = MeasurementOutcome::Escaped;
        return result;
    }
    gauge.SetCallerText(spec.countdownCaption, spec.countdownLine);
    short seconds = spec.countdownSeconds;
    const bool counted = CountdownGauge(gauge, s.sounds, s.clock, seconds);
    result.countedSeconds = seconds;
    if (!counted) {
        result.outcome = MeasurementOutcome::Escaped;
        result.escapedAt = MeasurementStage::Countdown;
        return result;
    }
    if (spec.beforeReadings) {
        spec.beforeReadings();
    }
    gauge.SetCallerText(spec.readingCaption, spec.readingLine);
    RdialReading reading;
    if (s.setup.EncoderInUse) {
        reading = ReadRdial(s.settings, s.encoder, gauge, s.sounds, s.clock, n);
    } else {
        const double value = spec.practiceValue ? spec.practiceValue() : 0.0;
        reading = PracticeRdial(s.settings, gauge, s.sounds, s.clock, n, value);
        reading.sd = spec.practiceDeviation;
    }
    if (reading.failure) {
        s.encoder.ReportFailure(*reading.failure);
        result.outcome = MeasurementOutcome::Failed;
        return result;
    }
    if (reading.escaped) {
        result.outcome = MeasurementOutcome::Escaped;
        result.escapedAt = MeasurementStage::Readings;
        return result;
    }
    result.mean = reading.mean;
    result.sd = reading.sd;
    return result;
}

} // namespace quillon
