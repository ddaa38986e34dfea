#include "observe/ObservationDriver.h"

#include "astro/AstroFunctions.h"
#include "observe/ObservationTypes.h"
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
    Driver(Services& s, ObservationScreens& screens, int& n)
        : s_(s), screens_(screens), n_(n), type_(s.vars.ObsType), pair_(PairOf(type_)),
          target_(TargetOf(type_)), x_(FirstLetter(type_)), y_(SecondLetter(type_)),
          timed_(s.vars.ComputerTimed == 1), encoder_(s.vars.EncoderInUse) {}

    ObservationRun Run();

private:
    bool Countdown(int index, const QString& caption, const QString& line, short seconds);
    bool Read(bool firstWavelength, int slot, const QString& ordinal, int field);
    bool Warn(const std::optional<ObservationWarning>& warning);
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
    bool PromptForSecond();
    bool PromptForFirst(bool sunSpotLine);

    Services& s_;
    ObservationScreens& screens_;
    int& n_;
    QString type_, pair_, target_, x_, y_;
    bool timed_;
    bool encoder_;
    double mu0_ = 0;
    ObservationRun run_;
};

bool Driver::Countdown(int index, const QString& caption, const QString& line, short seconds) {
    screens_.Gauge().SetCallerText(
        caption,
        line + u'\n' +
            QStringLiteral("Have the measurement started before the countdown completes."));
    run_.countdowns[static_cast<size_t>(index)] = seconds;
    if (!CountdownGauge(s_.vars, screens_.Gauge(), s_.sounds, s_.clock, seconds)) {
        run_.outcome = kObservationEscaped;
        return false;
    }
    return true;
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

bool Driver::Read(bool firstWavelength, int slot, const QString& ordinal, int field) {
    const QString letter = firstWavelength ? x_ : y_;
    screens_.Gauge().SetCallerText(
        QStringLiteral("Taking Readings for ") + ordinal + u' ' + letter,
        QStringLiteral("Taking the ") +
            (ordinal == QLatin1String("first") ? QStringLiteral("First") : ordinal) + u' ' +
            letter + QStringLiteral(" in ") + type_ + QStringLiteral(" Ob."));
    double mean = 0;
    double sd = 0;
    if (encoder_) {
        const RdialReading reading =
            ReadRdial(s_.vars, s_.encoder, screens_.Gauge(), s_.sounds, s_.clock, n_);
        if (reading.failed) {
            s_.encoder.ReportFailure();
            run_.outcome = kObservationEscaped;
            return false;
        }
        if (reading.escaped || s_.vars.DialogChoice == 1) {
            run_.outcome = kObservationEscaped;
            return false;
        }
        mean = reading.mean;
        sd = reading.sd;
    } else {
        // No encoder: a practice run on readings made up from the sun's mu.
        const double factor = letter == QLatin1String("A")   ? 64.0
                              : letter == QLatin1String("C") ? 35.0
                              : letter == QLatin1String("D") ? 21.0
                                                             : 70.0;
        mean = factor * mu0_;
        sd = 0.2;
    }
    if (firstWavelength) {
        run_.first[static_cast<size_t>(slot)] = mean;
        run_.firstSd[static_cast<size_t>(slot)] = sd;
    } else {
        run_.second[static_cast<size_t>(slot)] = mean;
        run_.secondSd[static_cast<size_t>(slot)] = sd;
    }
    if (encoder_ && !Warn(CheckStdDev(type_, mean, sd, letter))) {
        return false;
    }
    screens_.ShowReading(field, ReadingText(mean, sd));
    return true;
}

bool Driver::PromptForSecond() {
    if (timed_) {
        return true;
    }
    QString message = y_ == QLatin1String("D")
                          ? QStringLiteral("Switch Q-levers DOWN to the D stops.")
                          : QStringLiteral("Push the Selector Rod FIRMLY in.");
    if (type_.endsWith(QLatin1String("DSFI"))) {
        message += QStringLiteral("\nCheck sun's position on Slit.");
    } else if (type_.endsWith(QLatin1String("RMFI"))) {
        message += QStringLiteral("\nCheck moon's position on Slit.");
    }
    if (!screens_.ObserverPrompt(QStringLiteral("Waiting for Observer Prompt."), message, {})) {
        s_.vars.DialogChoice = 1;
        run_.outcome = kObservationEscaped;
        return false;
    }
    return true;
}

bool Driver::PromptForFirst(bool sunSpotLine) {
    if (timed_) {
        return true;
    }
    QString message =
        y_ == QLatin1String("D")
            ? QStringLiteral("Switch Q-levers UP to the ") + x_ + QStringLiteral(" position")
            : QStringLiteral("Pull the Selector Rod FIRMLY out.");
    if (sunSpotLine && target_ == QLatin1String("DS")) {
        message += QStringLiteral("\nCheck Sun Spot!");
    }
    if (!screens_.ObserverPrompt(QStringLiteral("Waiting for Observer Prompt."), message, {})) {
        s_.vars.DialogChoice = 1;
        run_.outcome = kObservationEscaped;
        return false;
    }
    return true;
}

ObservationRun Driver::Run() {
    short countdown = 12;
    const bool directSun = target_ == QLatin1String("DS");
    // Measurement 1: first wavelength.
    if (!Countdown(0, QStringLiteral("Countdown for first ") + x_, FirstInstruction(), 5)) {
        return run_;
    }
    run_.obsDate = std::floor(s_.clock.Now());
    if (!encoder_) {
        mu0_ = SunMu(s_.vars, s_.clock.Now());
    }
    const float start = static_cast<float>(s_.clock.SecondsSinceMidnight());
    if (!Read(true, 0, QStringLiteral("first"), 0)) {
        return run_;
    }
    // Measurement 2: second wavelength.
    if (!PromptForSecond() ||
        !Countdown(1, QStringLiteral("Countdown for first ") + y_, SecondInstruction(),
                   timed_ ? countdown : 5) ||
        !Read(false, 0, QStringLiteral("first"), 1)) {
        return run_;
    }
    // The first pair: backwards readings, then an ozone far out of range.
    if (!Warn(
            CheckReversed(type_, run_.first[0], run_.second[0], SunMu(s_.vars, s_.clock.Now())))) {
        return run_;
    }
    if (pair_ != QLatin1String("CC") && !IsMoonType(type_)) {
        const double hours = s_.clock.SecondsSinceMidnight() / 3600.0;
        const double ozone = ProvisionalOzone(s_.vars, type_, run_.first[0], run_.second[0],
                                              run_.obsDate + hours / 24.0);
        if (!Warn(CheckOzoneRange(ozone, s_.vars.Latitude))) {
            return run_;
        }
    }
    // Measurement 3: second of the first wavelength.
    const QString spotLine = directSun ? QStringLiteral("  Check Sun Spot!") : QString();
    if (!PromptForFirst(true) ||
        !Countdown(2, QStringLiteral("Countdown for second ") + x_, FirstInstruction() + spotLine,
                   timed_ ? static_cast<short>(directSun ? countdown + 5 : countdown) : 5) ||
        !Read(true, 1, QStringLiteral("second"), 2)) {
        return run_;
    }
    // Measurement 4: second of the second wavelength.
    if (!PromptForSecond() ||
        !Countdown(3, QStringLiteral("Countdown for second ") + y_, SecondInstruction(),
                   timed_ ? countdown : 5) ||
        !Read(false, 1, QStringLiteral("second"), 3)) {
        return run_;
    }
    // Measurement 5: third of the first wavelength.
    if (!PromptForFirst(false) ||
        !Countdown(4, QStringLiteral("Countdown for third ") + x_, FirstInstruction(),
                   timed_ ? countdown : 5) ||
        !Read(true, 2, QStringLiteral("third"), 4)) {
        return run_;
    }
    // Mean time, across midnight when the observation ran over it.
    const float end = static_cast<float>(s_.clock.SecondsSinceMidnight());
    const MeanTime mean = MeanObservationTime(start, end, run_.obsDate, std::floor(s_.clock.Now()));
    run_.meanSeconds = mean.seconds;
    run_.obsDate = mean.date;
    run_.meanTimeText = FormatDate(mean.seconds / 86400.0, u"hhmmss");

    ReductionInput input;
    input.type = type_;
    input.meanUtc = run_.MeanUtc();
    input.readings = {run_.first[0], run_.second[0], run_.first[1], run_.second[1], run_.first[2]};
    input.deviations = {run_.firstSd[0], run_.secondSd[0], run_.firstSd[1], run_.secondSd[1],
                        run_.firstSd[2]};
    run_.result = ReduceObservation(s_.vars, input);
    if (!Warn(CheckVariation(type_, run_.first, run_.second))) {
        return run_;
    }
    const QString muText = run_.result.mu == kMuNotCalculated
                               ? QStringLiteral("Not Calc'd")
                               : FormatNumber(run_.result.mu, u"##.000");
    screens_.ShowResult(run_.meanTimeText + QStringLiteral(" Date:") +
                            FormatDate(run_.obsDate, u"DD/MMM/YYYY"),
                        muText, OzoneText(run_.result));
    run_.outcome = kObservationComplete;
    return run_;
}

} // namespace

ObservationRun RunObservation(Services& services, ObservationScreens& screens, int& n) {
    services.vars.DialogChoice = 0;
    Driver driver(services, screens, n);
    return driver.Run();
}

} // namespace quillon
