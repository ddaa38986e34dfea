// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "instrument/WaitGauge.h"
#include "observe/ObservationChecks.h"
#include "ozone/Reduction.h"
#include "station/Services.h"
#include "util/Answers.h"

#include "util/Constants.h"

#include <array>

namespace quillon {

// The screens the driver talks to while an observation runs.
class ObservationScreens {
public:
    virtual ~ObservationScreens() = default;
    virtual GaugeDisplay& Gauge() = 0;
    // "Waiting for Observer Prompt.": go on, or the operator escaped.
    virtual ContinueOrEscape ObserverPrompt(const QString& caption, const QString& message,
                                            const QStringList& lines) = 0;
    // A check's warning screen, shown modally (its warning cue is played by
    // the driver).
    virtual void ShowWarning(const ObservationWarning& warning) = 0;
    // Reading fields 0..4: first, second, third of the first wavelength are
    // 0, 2, 4; first and second of the second wavelength 1 and 3.
    virtual void ShowReading(int field, const QString& text) = 0;
    virtual void ShowResult(const QString& meanTime, const QString& mu, const QString& ozone) = 0;
    // The result's quality flags with their reasons; empty for none.
    virtual void ShowQuality(const QString& line) = 0;
};

enum ObservationOutcome {
    kObservationComplete = 0,
    kObservationEscaped = 1,
    kObservationRestart = 2
};

// One run of the five measurements and its reduction.
struct ObservationRun {
    int outcome = kObservationComplete;
    QString type;
    std::array<double, 3> first{};
    std::array<double, 3> firstSd{};
    std::array<double, 2> second{};
    std::array<double, 2> secondSd{};
    DateTimeValue obsDate = 0; // UTC date of the mean time
    double meanSeconds = 0;    // UTC seconds of the day
    QString meanTimeText;      // "hhmmss"
    ReductionResult result;
    std::array<short, 5> countdowns{}; // seconds counted before each measurement

    DateTimeValue MeanUtc() const { return obsDate + meanSeconds / 86400.0; }
};

// Runs the observation of `type` at instrument temperature
// settings.InstrumentTemperature with readings count `n`: five measurements
// (first, second, first, second, first wavelength), each after its
// count-down, with the checks between them; then the mean time, N-values,
// mu and ozone. Without an encoder the readings are simulated from mu.
ObservationRun RunObservation(Services& services, ObservationScreens& screens, const QString& type,
                              int& n);

// The mean time of an observation from its start and end (UTC seconds of
// the day): across midnight the end counts from the day before, and a mean
// past midnight moves the observation to `today`.
struct MeanTime {
    double seconds;
    DateTimeValue date;
};
MeanTime MeanObservationTime(float start, float end, DateTimeValue obsDate, DateTimeValue today);

// A reading field's text: mean "##0.0 ", plus-minus, deviation " #0.0".
QString ReadingText(double mean, double sd);
// The ozone field: "####.0 " plus-minus " ###.0" " DU", or "Not Calc'd".
QString OzoneText(const ReductionResult& result);

} // namespace quillon
