// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/Clock.h"

#include <cmath>

namespace quillon {

double Clock::SecondsSinceMidnight() const {
    const DateTimeValue now = Now();
    return (now - std::floor(now)) * 86400.0;
}

void Pause(Clock& clock, double seconds) {
    double last = clock.SecondsSinceMidnight();
    double target = last + seconds;
    // The day's seconds wrap to zero at midnight: a target at or past 86400
    // is reached only after the wrap, and a target just short of it may be
    // stepped over by the wrap itself, which also ends the wait.
    bool beforeWrap = target >= 86400.0;
    if (beforeWrap) {
        target -= 86400.0;
    }
    for (;;) {
        const double now = clock.SecondsSinceMidnight();
        if (now < last) {
            if (!beforeWrap) {
                return;
            }
            beforeWrap = false;
        }
        last = now;
        if (!beforeWrap && now >= target) {
            return;
        }
        clock.Idle(beforeWrap ? 86400.0 - now : target - now);
    }
}

} // namespace quillon
