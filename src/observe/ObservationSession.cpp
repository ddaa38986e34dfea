// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/ObservationSession.h"

#include "astro/AstroFunctions.h"
#include "observe/ObservationRecord.h"
#include "observe/ObservationTypes.h"

namespace quillon {

ObservationSession::ObservationSession(Services& services, ObservationSessionScreens& screens)
    : s_(services), screens_(screens) {}

void ObservationSession::Run(const QString& type) {
    s_.vars.ObsType = type;
    for (;;) {
        if (!Setup()) {
            return;
        }
        nextType_.clear();
        run_ = ObservationRun{};
        screens_.RunObservationScreen();
        if (nextType_.isEmpty()) {
            return;
        }
        // The initials given stay offered for the next type.
        s_.vars.ObsType = nextType_;
    }
}

bool ObservationSession::Setup() {
    SharedVars& v = s_.vars;
    const QString type = v.ObsType;
    v.DialogChoice = 0;
    const ObservationInstructions text =
        InstructionsFor(type, v.ComputerTimed == 1, SunMu(v, s_.clock.Now()));
    if (NeedsFocusedSunWarning(type, v.Latitude)) {
        ObservationWarning warning;
        warning.screen = QStringLiteral("Warnfi");
        warning.title = FocusedSunWarningCaption(type);
        warning.lines = FocusedSunWarningLines(v.StationName);
        warning.button = QStringLiteral("Continue ");
        s_.sounds.PlayWarning();
        if (!screens_.ConfirmFocusedSun(warning)) {
            v.DialogChoice = 1;
            return false;
        }
    }
    if (!IsKnownObservationType(type)) {
        s_.messages.Show(text.initialsLines.join(u'\n'), QStringLiteral("Ob type unknown."));
        v.DialogChoice = 1;
        return false;
    }
    if (v.EncoderInUse) {
        const double r = s_.encoder.ReadEncoder(0.5);
        if (!v.EncoderError.isEmpty()) {
            s_.encoder.ReportFailure();
            v.DialogChoice = 1;
            return false;
        }
        // A dial that reads exactly zero may be a counter that lost its count.
        if (r == 0.0) {
            screens_.RunEncoderCheck();
        }
    }
    s_.sounds.PlayAttention();
    if (!screens_.AskInitials(text.initialsCaption, text.initialsLines)) {
        v.DialogChoice = 1;
        return false;
    }
    if (IsMoonType(type)) {
        v.ComputerTimed = 0; // the moon is always observed at the observer's pace
        n_ = 20;
    } else {
        n_ = 10;
    }
    s_.sounds.PlayTempCue();
    if (!screens_.AskTemperature(text.temperatureCaption, text.temperatureLines)) {
        v.DialogChoice = 1;
        return false;
    }
    return true;
}

void ObservationSession::Start() {
    screens_.ShowRunning();
    s_.vars.DialogChoice = 0;
    run_ = RunObservation(s_, screens_, n_);
    screens_.ShowInspect();
    if (run_.outcome == kObservationComplete) {
        s_.sounds.PlayStartCue();
        return;
    }
    if (run_.outcome == kObservationEscaped) {
        s_.vars.DialogChoice = 0;
        const bool restart = screens_.AskRestartAfterEscape();
        s_.vars.DialogChoice = 0;
        if (!restart) {
            EscapeToTypeSelection();
            return;
        }
    }
    // Stopped by a check or escaped and re-started: nothing to accept.
    run_.outcome = kObservationRestart;
    s_.vars.DialogChoice = 0;
    screens_.ShowReady();
    s_.sounds.PlayStartCue();
}

void ObservationSession::Accept() {
    if (run_.outcome != kObservationComplete) {
        return;
    }
    if (!s_.vars.EncoderInUse) {
        WriteFakeObservationComment(s_);
    }
    for (;;) {
        const SkyAnswer sky = screens_.AskSkyConditions(s_.vars.ObsType);
        if (sky.selection) {
            RecordObservation(s_, run_, *sky.selection,
                              s_.vars.ObserverInitials + u':' + sky.comment);
            break;
        }
        s_.vars.DialogChoice = 0;
        if (!screens_.AskRestartSkySelection()) {
            EscapeToTypeSelection();
            return;
        }
    }
    run_.outcome = kObservationRestart; // written once
    screens_.ShowReady();
}

void ObservationSession::Reject() {
    s_.sounds.PlayInfoCue();
    const int choice = screens_.ConfirmReject();
    if (choice == 7) {
        Accept();
    } else if (choice == 1) {
        run_.outcome = kObservationRestart;
        EscapeToTypeSelection();
    } else {
        run_.outcome = kObservationRestart;
        screens_.ShowReady();
        screens_.ShowRejected();
    }
    s_.vars.DialogChoice = 0;
}

void ObservationSession::EscapeToTypeSelection() {
    s_.vars.DialogChoice = 0;
    const double mu = SunMu(s_.vars, s_.clock.Now());
    const QStringList offered = MoreobsTypes(mu);
    nextType_.clear();
    if (!offered.isEmpty()) {
        s_.sounds.PlayAttention();
        nextType_ = screens_.ChooseNextType(offered, mu);
    }
    screens_.FinishObservationScreen();
}

void ObservationSession::NewTemperature() {
    s_.sounds.PlayTempCue();
    screens_.AskTemperature(QString(), {});
    s_.vars.DialogChoice = 0;
    screens_.ShowQSettings();
}

} // namespace quillon
