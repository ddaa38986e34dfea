// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/QtPrinters.h"
#include "util/Clock.h"

#include <QCoreApplication>
#include <algorithm>

namespace quillon::test {

// A clock that tests set to any UTC instant; waits advance it instantly.
class FakeClock : public Clock {
public:
    explicit FakeClock(DateTimeValue now = 0) : now_(now) {}

    DateTimeValue Now() const override { return now_; }
    void Idle(double maxSeconds) override {
        ++idleCalls_;
        // At least 10 us: a day count near 46,000 resolves about 1 us.
        Advance(std::max(std::min(maxSeconds, idleStep_), 1e-5));
    }
    void WaitProcessingEvents(double seconds) override {
        Advance(seconds);
        QCoreApplication::processEvents(); // screens stay live, as on the real clock
    }
    void WaitPainting(double seconds) override {
        ++paintingWaits_;
        Advance(seconds);
        QCoreApplication::processEvents();
    }
    int PaintingWaits() const { return paintingWaits_; }

    void Set(DateTimeValue now) { now_ = now; }
    void Advance(double seconds) { now_ += seconds / 86400.0; }
    void SetIdleStep(double seconds) { idleStep_ = seconds; }
    int IdleCalls() const { return idleCalls_; }

private:
    DateTimeValue now_;
    double idleStep_ = 0.001;
    int idleCalls_ = 0;
    int paintingWaits_ = 0;
};

} // namespace quillon::test
