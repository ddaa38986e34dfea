#include "util/Clock.h"

#include <cmath>

namespace quillon {

double Clock::SecondsSinceMidnight() const {
    const DateTimeValue now = Now();
    return (now - std::floor(now)) * 86400.0;
}

void Pause(Clock& clock, float seconds) {
    float target = static_cast<float>(clock.SecondsSinceMidnight()) + seconds;
    if (target > 86400.0f) {
        target -= 86400.0f;
        while (clock.SecondsSinceMidnight() > 1.0) {
            clock.Idle(0.001);
        }
    }
    for (double now = clock.SecondsSinceMidnight(); now < target;
         now = clock.SecondsSinceMidnight()) {
        clock.Idle(target - now);
    }
}

} // namespace quillon
