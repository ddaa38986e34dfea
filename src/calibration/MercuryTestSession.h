// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calibration/MercuryTest.h"
#include "station/Services.h"

#include <optional>

namespace quillon {

// What the mercury lamp test shows and asks.
class MercuryScreens {
public:
    virtual ~MercuryScreens() = default;
    // The operator's initials; nothing when the operator escaped.
    virtual std::optional<QString> AskInitials(const QString& caption,
                                               const QStringList& lines) = 0;
    // The hint on filling in the form, until the operator goes on.
    virtual void ShowHint(const QString& title, const QStringList& lines) = 0;
    // The form, until the test is saved or left; the form hands every
    // Enter, Accept, edit and Done(Save) to the session.
    virtual void RunForm() = 0;
    // What an evaluation found, before any warning about it is shown: the
    // temperatures, the readings rewritten by pairs, the test average and
    // the difference.
    virtual void ShowEvaluation(const MercuryEvaluation& evaluation) = 0;
    // A warning or the verdict, until the operator continues.
    virtual void ShowDialog(const MercuryDialogText& text, const QString& button) = 0;
};

// One mercury lamp test from the menu: initials, the hint, the form's
// evaluations with their warnings, and Done(Save) with the verdict and the
// record. The form only shows and asks; every decision is made here.
class MercuryTestSession {
public:
    MercuryTestSession(Services& services, MercuryScreens& screens);

    // The whole test; true when it was saved.
    bool Run();

    // The form's Enter (or Accept) on the entries: the evaluation, and its
    // warning shown. What Done(Save) would record is exactly these entries.
    const MercuryEvaluation& Evaluate(const MercuryEntries& entries);
    // Enter on a temperature box: with both temperatures typed, their
    // evaluation (as Temperatures); nothing while the other box is empty.
    std::optional<MercuryEvaluation> TemperatureEntered(const QString& start, const QString& end);
    // Enter on a temperature with both typed: the average and table value,
    // or the warning that they are too far apart.
    const MercuryEvaluation& Temperatures(double start, double end);
    // A box edited after the evaluation: Done(Save) waits for the next.
    void Edited() { last_.complete = false; }
    // The form started over.
    void Reset();

    bool CanSave() const { return last_.complete && !saved_; }
    // Done(Save): the moment it is pressed, the verdict, then the record
    // of what was evaluated. False when there was nothing complete to save
    // or the history could not be written.
    bool Save();
    bool Saved() const { return saved_; }
    const MercuryEvaluation& Last() const { return last_; }
    // The last evaluation's difference, as Done(Save) shows it.
    double Difference() const { return last_.testAverage - last_.tableValue; }

private:
    void Warn(MercuryWarning warning);

    Services& s_;
    MercuryScreens& screens_;
    Calibration calibration_;
    MercuryEvaluation last_;
    MercuryEntries evaluated_;
    bool saved_ = false;
};

} // namespace quillon
