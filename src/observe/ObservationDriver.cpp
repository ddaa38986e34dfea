// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/ObservationDriver.h"

#include "astro/AstroFunctions.h"
#include "observe/ObservationTypes.h"
#include "observe/QualityFlags.h"
#include "station/MeasurementStep.h"
#include "util/Format.h"

#include <cmath>

namespace quillon {

QString ReadingText(double mean, double sd) {
    return FormatNumber(mean, u"##0.0 ") + kPlusMinus + FormatNumber(sd, u" #0.0");
}

QString OzoneText(const ReductionResult& r) {
    if (!r.calculated) {
        return QStringLiteral("Not Calc'd");
    }
    return FormatNumber(r.ozone, u"####.0 ") + kPlusMinus + FormatNumber(r.ozoneSpread, u" ###.0") +
           QStringLiteral(" DU");
}

MeanTime MeanObservationTime(float start, float end, DateTimeValue obsDate, DateTimeValue today) {
    if (today == obsDate) {
        return {(static_cast<double>(start) + end) / 2.0, obsDate};
    }
    const double mean = (static_cast<double>(start) + end + 86400.0) / 2.0;
    if (mean >= 86400.0) {
        return {mean - 86400.0, today};
    }
    return {mean, obsDate};
}

namespace {

class Driver {
public:
    Driver(Services& s, ObservationScreens& screens, const QString& type, int& n)
        : s_(s), calibration_(s.calibration), screens_(screens), n_(n), type_(type),
          pair_(PairOf(type_)), target_(TargetOf(type_)), x_(FirstLetter(type_)),
          y_(SecondLetter(type_)), timed_(s.settings.ComputerTimed == 1),
          encoder_(s.setup.EncoderInUse) {}

    ObservationRun Run();

private:
    // One of the five measurements (`index` 0 to 4): its wavelength, its
    // slot among that wavelength's readings, its reading field.
    struct Measurement {
        int index;
        bool firstWavelength;
        int slot;
        QString ordinal; // "first", "second", "third"
        int field;
        QString countdownLine;
        short seconds;
        std::function<bool()> prompt;
        std::function<void()> beforeReadings;
    };
    bool Measure(const Measurement& m);
    // The five measurements and the checks between them; false when the
    // run ended early (escaped, or stopped at a warning). `start` gets the
    // seconds after midnight at which the readings began.
    bool MeasureAll(float* start);
    // The mean time, the reduction and the variation check, shown.
    void Reduce(float start);
    bool Warn(const std::optional<ObservationWarning>& warning);
    QString QualityNow() const;
    QString FirstInstruction() const {
        if (pair_ == QLatin1String("AD")) {
            return QStringLiteral("Q-levers Up for the A wavelength.");
        }
        if (pair_ == QLatin1String("CD")) {
            return QStringLiteral("Q-levers Up for the C wavelength.");
        }
        return QStringLiteral("Selector Rod out for the C wavelength");
    }
    QString SecondInstruction() const {
        return y_ == QLatin1String("D") ? QStringLiteral("Q-levers Down for the D wavelength.")
                                        : QStringLiteral("Push the Selector Rod FIRMLY in.");
    }
    std::function<bool()> Prompt(const QString& message);
    std::function<bool()> PromptForSecond();
    std::function<bool()> PromptForFirst(bool sunSpotLine);

    Services& s_;
    // The calibration as the observation began: one accepted meanwhile
    // applies from the next observation.
    const Calibration calibration_;
    ObservationScreens& screens_;
    int& n_;
    QString type_, pair_, target_, x_, y_;
    bool timed_;
    bool encoder_;
    double mu0_ = 0;
    ObservationRun run_;
};

// The result among the day so far, as the record will hold it.
QString Driver::QualityNow() const {
    const DateTimeValue local = LocalStandardTime(s_.setup, run_.MeanUtc());
    DayObservation candidate;
    candidate.time = FormatDate(local, u"hhmmss");
    candidate.type = type_;
    candidate.values = {s_.settings.InstrumentTemperature,
                        run_.result.n1,
                        run_.result.n2,
                        run_.result.spread,
                        run_.result.mu,
                        run_.result.ozone,
                        run_.result.ozoneSpread};
    return ObservationQualityLine(s_.setup, calibration_, candidate, std::floor(local));
}

bool Driver::Warn(const std::optional<ObservationWarning>& warning) {
    if (!warning) {
        return true;
    }
    s_.sounds.PlayWarning();
    screens_.ShowWarning(*warning);
    run_.outcome = kObservationRestart;
    return false;
}

bool Driver::Measure(const Measurement& m) {
    const QString letter = m.firstWavelength ? x_ : y_;
    MeasurementSpec spec;
    spec.prompt = m.prompt;
    spec.countdownCaption = QStringLiteral("Countdown for ") + m.ordinal + u' ' + letter;
    spec.countdownLine =
        m.countdownLine + u'\n' +
        QStringLiteral("Have the measurement started before the countdown completes.");
    spec.countdownSeconds = m.seconds;
    spec.beforeReadings = m.beforeReadings;
    spec.readingCaption = QStringLiteral("Taking Readings for ") + m.ordinal + u' ' + letter;
    spec.readingLine = QStringLiteral("Taking the ") +
                       (m.ordinal == QLatin1String("first") ? QStringLiteral("First") : m.ordinal) +
                       u' ' + letter + QStringLiteral(" in ") + type_ + QStringLiteral(" Ob.");
    // No encoder: a practice run on readings made up from the sun's mu.
    spec.practiceValue = [this, letter] {
        const double factor = letter == QLatin1String("A")   ? 64.0
                              : letter == QLatin1String("C") ? 35.0
                              : letter == QLatin1String("D") ? 21.0
                                                             : 70.0;
        return factor * mu0_;
    };
    const MeasurementResult result = RunMeasurementStep(s_, screens_.Gauge(), spec, n_);
    run_.countdowns[static_cast<size_t>(m.index)] = result.countedSeconds;
    if (result.outcome != MeasurementOutcome::Done) {
        run_.outcome = kObservationEscaped;
        return false;
    }
    if (m.firstWavelength) {
        run_.first[static_cast<size_t>(m.slot)] = result.mean;
        run_.firstSd[static_cast<size_t>(m.slot)] = result.sd;
    } else {
        run_.second[static_cast<size_t>(m.slot)] = result.mean;
        run_.secondSd[static_cast<size_t>(m.slot)] = result.sd;
    }
    if (encoder_ && !Warn(CheckStdDev(type_, result.mean, result.sd, letter))) {
        return false;
    }
    screens_.ShowReading(m.field, ReadingText(result.mean, result.sd));
    return true;
}

std::function<bool()> Driver::Prompt(const QString& message) {
    if (timed_) {
        return {};
    }
    return [this, message] {
        return screens_.ObserverPrompt(QStringLiteral("Waiting for Observer Prompt."), message,
                                       {}) == ContinueOrEscape::Continue;
    };
}

std::function<bool()> Driver::PromptForSecond() {
    QString message = y_ == QLatin1String("D")
                          ? QStringLiteral("Switch Q-levers DOWN to the D stops.")
                          : QStringLiteral("Push the Selector Rod FIRMLY in.");
    if (type_.endsWith(QLatin1String("DSFI"))) {
        message += QStringLiteral("\nCheck sun's position on Slit.");
    } else if (type_.endsWith(QLatin1String("RMFI"))) {
        message += QStringLiteral("\nCheck moon's position on Slit.");
    }
    return Prompt(message);
}

std::function<bool()> Driver::PromptForFirst(bool sunSpotLine) {
    QString message =
        y_ == QLatin1String("D")
            ? QStringLiteral("Switch Q-levers UP to the ") + x_ + QStringLiteral(" position")
            : QStringLiteral("Pull the Selector Rod FIRMLY out.");
    if (sunSpotLine && target_ == QLatin1String("DS")) {
        message += QStringLiteral("\nCheck Sun Spot!");
    }
    return Prompt(message);
}

ObservationRun Driver::Run() {
    float start = 0;
    if (MeasureAll(&start)) {
        Reduce(start);
    }
    return run_;
}

bool Driver::MeasureAll(float* start) {
    const short countdown = 12;
    const bool directSun = target_ == QLatin1String("DS");
    const QString first = QStringLiteral("first");
    const QString second = QStringLiteral("second");
    // Measurement 1: first wavelength. The observation's date and start time
    // are taken when its readings begin.
    const auto began = [this, start] {
        run_.obsDate = std::floor(s_.clock.Now());
        mu0_ = encoder_ ? 0.0 : SunMu(s_.setup, s_.clock.Now());
        *start = static_cast<float>(s_.clock.SecondsSinceMidnight());
    };
    if (!Measure({0, true, 0, first, 0, FirstInstruction(), 5, {}, began})) {
        return false;
    }
    // Measurement 2: second wavelength.
    if (!Measure({1,
                  false,
                  0,
                  first,
                  1,
                  SecondInstruction(),
                  timed_ ? countdown : short{5},
                  PromptForSecond(),
                  {}})) {
        return false;
    }
    // The first pair: backwards readings, then an ozone far out of range.
    if (!Warn(
            CheckReversed(type_, run_.first[0], run_.second[0], SunMu(s_.setup, s_.clock.Now())))) {
        return false;
    }
    if (pair_ != QLatin1String("CC") && !IsMoonType(type_)) {
        const double hours = s_.clock.SecondsSinceMidnight() / 3600.0;
        const double ozone = ProvisionalOzone(s_.setup, calibration_, type_, run_.first[0],
                                              run_.second[0], run_.obsDate + hours / 24.0);
        if (!Warn(CheckOzoneRange(ozone, s_.setup.Latitude))) {
            return false;
        }
    }
    // Measurement 3: second of the first wavelength.
    const QString spotLine = directSun ? QStringLiteral("  Check Sun Spot!") : QString();
    const short third = timed_ ? static_cast<short>(directSun ? countdown + 5 : countdown) : 5;
    if (!Measure({2,
                  true,
                  1,
                  second,
                  2,
                  FirstInstruction() + spotLine,
                  third,
                  PromptForFirst(true),
                  {}})) {
        return false;
    }
    // Measurement 4: second of the second wavelength.
    if (!Measure({3,
                  false,
                  1,
                  second,
                  3,
                  SecondInstruction(),
                  timed_ ? countdown : short{5},
                  PromptForSecond(),
                  {}})) {
        return false;
    }
    // Measurement 5: third of the first wavelength.
    if (!Measure({4,
                  true,
                  2,
                  QStringLiteral("third"),
                  4,
                  FirstInstruction(),
                  timed_ ? countdown : short{5},
                  PromptForFirst(false),
                  {}})) {
        return false;
    }
    return true;
}

void Driver::Reduce(float start) {
    // Mean time, across midnight when the observation ran over it.
    const float end = static_cast<float>(s_.clock.SecondsSinceMidnight());
    const MeanTime mean = MeanObservationTime(start, end, run_.obsDate, std::floor(s_.clock.Now()));
    run_.meanSeconds = mean.seconds;
    run_.obsDate = mean.date;
    run_.meanTimeText = FormatDate(mean.seconds / 86400.0, u"hhmmss");
    const QString meanTimeField =
        run_.meanTimeText + QStringLiteral(" Date:") + FormatDate(run_.obsDate, u"DD/MMM/YYYY");
    // The operator sees the mean time before the variation check speaks.
    screens_.ShowResult(meanTimeField, QString(), QString());

    ReductionInput input;
    input.type = type_;
    input.meanUtc = run_.MeanUtc();
    input.readings = {run_.first[0], run_.second[0], run_.first[1], run_.second[1], run_.first[2]};
    input.deviations = {run_.firstSd[0], run_.secondSd[0], run_.firstSd[1], run_.secondSd[1],
                        run_.firstSd[2]};
    run_.result = ReduceObservation(s_.setup, calibration_, input);
    if (!Warn(CheckVariation(type_, run_.first, run_.second))) {
        return;
    }
    const QString muText = run_.result.mu == kMuNotCalculated
                               ? QStringLiteral("Not Calc'd")
                               : FormatNumber(run_.result.mu, u"##.000");
    screens_.ShowResult(meanTimeField, muText, OzoneText(run_.result));
    screens_.ShowQuality(QualityNow());
    run_.outcome = kObservationComplete;
    run_.type = type_;
}

} // namespace

ObservationRun RunObservation(Services& services, ObservationScreens& screens, const QString& type,
                              int& n) {
    Driver driver(services, screens, type, n);
    return driver.Run();
}

} // namespace quillon
