// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "observe/ObservationDriver.h"
#include "observe/SkyConditions.h"
#include "station/Services.h"

#include <optional>

namespace quillon {

class ObservationSession;

// The sky conditions the operator chose for an accepted observation, or
// nothing when the choice was escaped.
struct SkyAnswer {
    std::optional<SkySelection> selection;
    QString comment;
};

// Everything an observation session shows and asks, beside the driver's
// screens: the set-up prompts, the observation screen's states, and the
// operator's decisions around a run.
class ObservationSessionScreens : public ObservationScreens {
public:
    // The set-up; each false when the operator escaped.
    virtual bool ConfirmFocusedSun(const ObservationWarning& warning) = 0;
    virtual bool AskInitials(const QString& caption, const QStringList& lines) = 0;
    virtual bool AskTemperature(const QString& caption, const QStringList& lines) = 0;
    virtual void RunEncoderCheck() = 0;

    // Shows the observation screen for vars.ObsType until the session
    // finishes it (FinishObservationScreen).
    virtual void RunObservationScreen() = 0;
    virtual void FinishObservationScreen() = 0;
    // Ready to start: Start offered, Accept and Reject hidden, the Q
    // settings and their two message lines, the other message lines empty.
    virtual void ShowReady() = 0;
    virtual void ShowQSettings() = 0;
    virtual void ShowRunning() = 0;
    // A run is over: Accept and Reject with the inspection lines.
    virtual void ShowInspect() = 0;
    virtual void ShowRejected() = 0;

    // "Escape was pressed during observation": true to re-start.
    virtual bool AskRestartAfterEscape() = 0;
    virtual SkyAnswer AskSkyConditions(const QString& type) = 0;
    // "Escaped out of Select Sky Conditions.": true to choose again.
    virtual bool AskRestartSkySelection() = 0;
    // "Confirm reject of observation.": 0 rejected, 7 accept after all, 1
    // reject and choose another type.
    virtual int ConfirmReject() = 0;
    // The types the sun allows now; empty when the operator went back.
    virtual QString ChooseNextType(const QStringList& offered, double mu) = 0;
};

// One observation session from the main menu: the set-up of a type, its
// runs on the observation screen (restart, escape, reject, accept with the
// sky conditions and the record), and any further types the operator
// chooses. The screens only show and ask; every decision is made here.
class ObservationSession {
public:
    ObservationSession(Services& services, ObservationSessionScreens& screens);

    // The whole session, starting with `type`.
    void Run(const QString& type);

    // The set-up of vars.ObsType: the focused-sun warning, the unknown
    // type, the encoder's zero read, initials and temperature, the moon's
    // style. False when the operator escaped (vars.DialogChoice is then 1).
    bool Setup();

    // The observation screen's commands.
    void Start();
    void Accept();
    void Reject();
    void EscapeToTypeSelection();
    void NewTemperature();

    int& ReadingsCount() { return n_; }
    const ObservationRun& LastRun() const { return run_; }
    const QString& NextType() const { return nextType_; }

private:
    Services& s_;
    ObservationSessionScreens& screens_;
    int n_ = 10;
    ObservationRun run_;
    QString nextType_;
};

} // namespace quillon
