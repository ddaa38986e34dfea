#pragma once

#include "util/Clock.h"

namespace quillon {

// The computer's own clock (kept on UTC at the station).
class SystemClock : public Clock {
public:
    DateTimeValue Now() const override;
    void Idle(double maxSeconds) override;
    void WaitProcessingEvents(double seconds) override;
    void WaitPainting(double seconds) override;
};

} // namespace quillon
