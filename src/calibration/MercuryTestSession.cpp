// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/MercuryTestSession.h"

namespace quillon {

MercuryTestSession::MercuryTestSession(Services& services, MercuryScreens& screens)
    : s_(services), screens_(screens), calibration_(services.calibration) {}

bool MercuryTestSession::Run() {
    if (s_.setup.StationCode.isEmpty()) {
        return false; // no station loaded
    }
    // Each mercury test is signed afresh: no initials are offered.
    s_.settings.ObserverInitials.clear();
    s_.sounds.PlayAttention();
    const std::optional<QString> initials =
        screens_.AskInitials(QStringLiteral("Input initials for the Mercury Test."),
                             MercuryInitialsLines(s_.calibration));
    // The hint comes after the initials whether or not they were given;
    // without them the test then ends as by Exit.
    screens_.ShowHint(QStringLiteral("Hints for filling in Mercury Test Form"),
                      {QStringLiteral("Use TAB to navigate through the test Boxes, ENTER to "
                                      "finish the number and move to the next box.  Without "
                                      "the ENTER, the number is not always noticed. Use ALT+A "
                                      "(Accept) if you forget and use TAB.    ")});
    if (!initials) {
        return false;
    }
    s_.settings.ObserverInitials = *initials;
    // The calibration as the test began: the form's table values all come
    // from it.
    calibration_ = s_.calibration;
    Reset();
    screens_.RunForm();
    return saved_;
}

void MercuryTestSession::Reset() {
    last_ = MercuryEvaluation{};
    evaluated_ = MercuryEntries{};
}

void MercuryTestSession::Warn(MercuryWarning warning) {
    // The temperatures' warning is a reminder, not a fault of the readings.
    if (warning != MercuryWarning::BigTempDiff) {
        s_.sounds.PlayWarning();
    }
    screens_.ShowDialog(WarningText(warning, last_), QStringLiteral("Continue"));
}

const MercuryEvaluation& MercuryTestSession::Evaluate(const MercuryEntries& entries) {
    last_ = EvaluateReadings(calibration_, entries);
    evaluated_ = entries;
    screens_.ShowEvaluation(last_);
    if (last_.warning != MercuryWarning::None) {
        last_.complete = false;
        Warn(last_.warning);
    }
    return last_;
}

std::optional<MercuryEvaluation> MercuryTestSession::TemperatureEntered(const QString& start,
                                                                        const QString& end) {
    if (start.trimmed().isEmpty() || end.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return Temperatures(MercuryBoxNumber(start), MercuryBoxNumber(end));
}

const MercuryEvaluation& MercuryTestSession::Temperatures(double start, double end) {
    last_ = UpdateTemperatures(calibration_, start, end);
    screens_.ShowEvaluation(last_);
    if (last_.warning == MercuryWarning::BigTempDiff) {
        Warn(last_.warning);
    }
    return last_;
}

bool MercuryTestSession::Save() {
    if (!CanSave()) {
        return false;
    }
    // The record's date and time are the moment of Done(Save), not the
    // moment the operator closes the verdict.
    const DateTimeValue pressed = s_.clock.Now();
    const double difference = Difference();
    const bool passes = MercuryTestPasses(difference);
    if (!passes) {
        s_.sounds.PlayWarning();
    }
    screens_.ShowDialog(VerdictText(difference),
                        passes ? QStringLiteral("Continue.") : QStringLiteral("Continue"));
    saved_ = SaveMercuryTest(s_.setup, s_.day, s_.calibration, s_.clock, s_.messages, last_,
                             evaluated_, pressed);
    return saved_;
}

} // namespace quillon
