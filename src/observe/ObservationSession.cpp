// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/ObservationSession.h"

#include "astro/AstroFunctions.h"
#include "observe/ObservationRecord.h"
#include "observe/ObservationTypes.h"

namespace quillon {

ObservationSession::ObservationSession(Services& services, ObservationSessionScreens& screens)
    : s_(services), screens_(screens) {}

void ObservationSession::Run(const QString& type) {
    QString next = type;
    for (;;) {
        if (!Setup(next)) {
            return;
        }
        nextType_.clear();
        run_ = ObservationRun{};
        screens_.RunObservationScreen(type_);
        if (nextType_.isEmpty()) {
            return;
        }
        // The initials given stay offered for the next type.
        next = nextType_;
    }
}

bool ObservationSession::Setup(const QString& type) {
    type_ = type;
    OperatorSettings& settings = s_.settings;
    const ObservationInstructions text =
        InstructionsFor(type, settings.ComputerTimed == 1, SunMu(s_.setup, s_.clock.Now()));
    if (NeedsFocusedSunWarning(type, s_.setup.Latitude)) {
        ObservationWarning warning;
        warning.screen = QStringLiteral("Warnfi");
        warning.title = FocusedSunWarningCaption(type);
        warning.lines = FocusedSunWarningLines(s_.setup.StationName);
        warning.button = QStringLiteral("Continue ");
        s_.sounds.PlayWarning();
        if (screens_.ConfirmFocusedSun(warning) == ContinueOrEscape::Escape) {
            return false;
        }
    }
    if (!IsKnownObservationType(type)) {
        s_.messages.Show(text.initialsLines.join(u'\n'), QStringLiteral("Ob type unknown."));
        return false;
    }
    if (s_.setup.EncoderInUse) {
        const Result<double> r = s_.encoder.ReadEncoder(0.5);
        if (!r) {
            s_.encoder.ReportFailure(r.error());
            return false;
        }
        // A dial that reads exactly zero may be a counter that lost its count.
        if (*r == 0.0) {
            screens_.RunEncoderCheck();
        }
    }
    s_.sounds.PlayAttention();
    const std::optional<QString> initials =
        screens_.AskInitials(text.initialsCaption, text.initialsLines);
    if (!initials) {
        return false;
    }
    settings.ObserverInitials = *initials;
    if (IsMoonType(type)) {
        settings.ComputerTimed = 0; // the moon is always observed at the observer's pace
        n_ = 20;
    } else {
        n_ = 10;
    }
    s_.sounds.PlayTempCue();
    const std::optional<double> temperature =
        screens_.AskTemperature(text.temperatureCaption, text.temperatureLines);
    if (!temperature) {
        return false;
    }
    settings.InstrumentTemperature = *temperature;
    return true;
}

void ObservationSession::Start() {
    screens_.ShowRunning();
    run_ = RunObservation(s_, screens_, type_, n_);
    screens_.ShowInspect();
    if (run_.outcome == kObservationComplete) {
        s_.sounds.PlayStartCue();
        return;
    }
    if (run_.outcome == kObservationEscaped &&
        screens_.AskRestartAfterEscape() == RestartChoice::Leave) {
        EscapeToTypeSelection();
        return;
    }
    // Stopped by a check or escaped and re-started: nothing to accept.
    run_.outcome = kObservationRestart;
    screens_.ShowReady();
    s_.sounds.PlayStartCue();
}

void ObservationSession::Accept() {
    if (run_.outcome != kObservationComplete) {
        return;
    }
    if (!s_.setup.EncoderInUse) {
        WriteFakeObservationComment(s_);
    }
    for (;;) {
        const SkyAnswer sky = screens_.AskSkyConditions(type_);
        if (sky.selection) {
            RecordObservation(s_, run_, *sky.selection,
                              s_.settings.ObserverInitials + u':' + sky.comment);
            break;
        }
        if (screens_.AskRestartSkySelection() == RestartChoice::Leave) {
            EscapeToTypeSelection();
            return;
        }
    }
    run_.outcome = kObservationRestart; // written once
    screens_.ShowReady();
}

void ObservationSession::Reject() {
    s_.sounds.PlayInfoCue();
    switch (screens_.ConfirmReject()) {
    case RejectChoice::AcceptAfterAll:
        Accept();
        break;
    case RejectChoice::RejectAndChooseType:
        run_.outcome = kObservationRestart;
        EscapeToTypeSelection();
        break;
    case RejectChoice::Reject:
        run_.outcome = kObservationRestart;
        screens_.ShowReady();
        screens_.ShowRejected();
        break;
    }
}

void ObservationSession::EscapeToTypeSelection() {
    const double mu = SunMu(s_.setup, s_.clock.Now());
    const QStringList offered = MoreobsTypes(mu);
    nextType_.clear();
    if (!offered.isEmpty()) {
        s_.sounds.PlayAttention();
        nextType_ = screens_.ChooseNextType(offered, mu).value_or(QString());
    }
    screens_.FinishObservationScreen();
}

int ObservationSession::OfferedReadingsCount() {
    if (n_ != 5 && n_ != 10) {
        n_ = 10;
    }
    return n_;
}

void ObservationSession::NewTemperature() {
    s_.sounds.PlayTempCue();
    if (const std::optional<double> temperature = screens_.AskTemperature(QString(), {})) {
        s_.settings.InstrumentTemperature = *temperature;
    }
    screens_.ShowQSettings();
}

} // namespace quillon
