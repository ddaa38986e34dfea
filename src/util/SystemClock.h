// SPDX-License-Identifier: GPL-3.0-or-later
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
