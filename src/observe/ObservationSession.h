// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "observe/ObservationDriver.h"
#include "observe/SkyConditions.h"
#include "station/Services.h"
#include "util/Answers.h"

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
// "Escape was pressed during observation" and "Escaped out of Select Sky
// Conditions.": start again, or leave for another type.
enum class RestartChoice { Restart, Leave };

// "Confirm reject of observation.": rejected; accepted after all; or
// rejected, and another type chosen.
enum class RejectChoice { Reject, AcceptAfterAll, RejectAndChooseType };

class ObservationSessionScreens : public ObservationScreens {
public:
    // The set-up; an entry gives nothing when the operator escaped.
    virtual ContinueOrEscape ConfirmFocusedSun(const ObservationWarning& warning) = 0;
    virtual std::optional<QString> AskInitials(const QString& caption,
                                               const QStringList& lines) = 0;
    virtual std::optional<double> AskTemperature(const QString& caption,
                                                 const QStringList& lines) = 0;
    virtual void RunEncoderCheck() = 0;

    // Shows the observation screen for `type` until the session finishes
    // it (FinishObservationScreen).
    virtual void RunObservationScreen(const QString& type) = 0;
    virtual void FinishObservationScreen() = 0;
    // Ready to start: Start offered, Accept and Reject hidden, the Q
    // settings and their two message lines, the other message lines empty.
    virtual void ShowReady() = 0;
    virtual void ShowQSettings() = 0;
    virtual void ShowRunning() = 0;
    // A run is over: Accept and Reject with the inspection lines.
    virtual void ShowInspect() = 0;
    virtual void ShowRejected() = 0;

    virtual RestartChoice AskRestartAfterEscape() = 0;
    virtual SkyAnswer AskSkyConditions(const QString& type) = 0;
    virtual RestartChoice AskRestartSkySelection() = 0;
    virtual RejectChoice ConfirmReject() = 0;
    // The types the sun allows now; nothing when the operator went back.
    virtual std::optional<QString> ChooseNextType(const QStringList& offered, double mu) = 0;
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

    // The set-up of the type being observed: the focused-sun warning, the
    // unknown type, the encoder's zero read, initials and temperature, the
    // moon's style. False when the operator escaped.
    bool Setup(const QString& type);

    // The observation screen's commands.
    void Start();
    void Accept();
    void Reject();
    void EscapeToTypeSelection();
    void NewTemperature();

    // The readings per measurement (the Encoder menu's Xovers); the menu
    // offers 10 and 5, and any other count is taken as 10 when it opens.
    int ReadingsCount() const { return n_; }
    void SetReadingsCount(int n) { n_ = n; }
    int OfferedReadingsCount();
    const ObservationRun& LastRun() const { return run_; }
    const QString& Type() const { return type_; }
    const QString& NextType() const { return nextType_; }

private:
    Services& s_;
    ObservationSessionScreens& screens_;
    int n_ = 10;
    QString type_;
    ObservationRun run_;
    QString nextType_;
};

} // namespace quillon
