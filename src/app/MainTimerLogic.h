// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/Services.h"

#include <functional>
#include <optional>

namespace quillon {

// What one tick of the main screen's timer decides, for the screen to show.
struct TickDisplay {
    bool newDay = false;
    QString headline; // set on a new day
    QString utcText;
    QString lstText;
    QString localDateText;
    double mu = 0;
    QString muText;       // "##.000" or "No Sun"
    int changedRange = 0; // the new range when the guidance must be rebuilt, else 0
};

// What the main screen shows of a tick, and the one thing it is asked.
class MainScreenView {
public:
    virtual ~MainScreenView() = default;
    virtual void ShowHeadline(const QString& headline) = 0;
    virtual void ShowSummaryLines() = 0;
    virtual void ShowClocks(const TickDisplay& display) = 0;
    // The R-dial field: the value read, or "NoEnc"; `reads` counts the
    // dial reads since start-up (the window title shows it).
    virtual void ShowDial(const QString& text, long reads) = 0;
    virtual void ApplyGuidance(int range) = 0;
    // The operator's "UnCheck to Stop reading encoder" box.
    virtual bool DialReadingWanted() const = 0;
};

// The one-second tick of the main screen: the new-day check (new day
// file, headline and summary, then the archive transfer), the clocks, mu
// and its range, and the dial read. The tick holds the busy gate, so no
// operator command runs inside its read or its transfer.
class MainTimerLogic {
public:
    explicit MainTimerLogic(Services& services);

    // Runs when the local date changes, once the screen shows the new day:
    // the archive transfer is hooked in here.
    void SetNewDayAction(std::function<void()> action) { newDayAction_ = std::move(action); }

    // The clocks, mu and range part of a tick (no read, no transfer).
    TickDisplay Clocks();

    // One whole tick. False when the dial could not be read: the failure
    // has been reported and the program is ending, so the timer must not
    // start again.
    bool Tick(MainScreenView& view);

    // "encDr_reset": the counter set to zero and the dial read again. The
    // dial's text to show; nothing without an encoder, or when the counter
    // failed (reported: the program is ending).
    std::optional<QString> ResetDial();

    int MuRange() const { return muRange_; }
    void ResetMuRange() { muRange_ = 0; }
    long ReadCount() const { return readCount_; }

private:
    Services& s_;
    std::function<void()> newDayAction_;
    int muRange_ = 0;
    long readCount_ = 0;
};

// The way out of the program, whichever way the operator chose it (the
// menu, the window's close button): the question whether to send the
// finished day files first, the transfer, and the encoder port closed.
void RunExitSequence(Services& services, const std::function<void()>& transfer);

} // namespace quillon
