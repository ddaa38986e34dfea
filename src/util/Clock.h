// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/DateTimeValue.h"

namespace quillon {

// The program's one contact with time. The computer clock runs on UTC;
// local standard time is derived from it with the station's offset.
class Clock {
public:
    virtual ~Clock() = default;

    // UTC now.
    virtual DateTimeValue Now() const = 0;

    // Lets a little time pass, at most `maxSeconds`, without handling screen
    // events (busy waits).
    virtual void Idle(double maxSeconds) = 0;

    // Waits for `seconds` while the screen stays responsive.
    virtual void WaitProcessingEvents(double seconds) = 0;

    // Waits for `seconds` while screens paint and timers run (the parameter
    // screen at start-up); the operator's keys reach the busy gate.
    virtual void WaitPainting(double seconds) = 0;

    // Seconds since UTC midnight.
    double SecondsSinceMidnight() const;
};

// The blocking wait used before counter requests: it handles no screen
// events. A wait whose end lies at or past midnight first waits for the
// time of day to wrap, then for the remainder.
void Pause(Clock& clock, double seconds);

} // namespace quillon
