#include "station/BusyGate.h"

#include <QTimer>

namespace quillon {

BusyGate::Hold::Hold(BusyGate& gate) : gate_(gate) {
    ++gate_.depth_;
}

BusyGate::Hold::~Hold() {
    gate_.Release();
}

void BusyGate::Run(std::function<void()> command) {
    if (IsBusy()) {
        waiting_.push_back(std::move(command));
        return;
    }
    Hold hold(*this);
    command();
}

void BusyGate::Release() {
    --depth_;
    if (depth_ > 0 || waiting_.empty() || flushScheduled_) {
        return;
    }
    // Not from inside the hold's owner: the waiting command starts from the
    // event loop once the code that held the gate has returned.
    flushScheduled_ = true;
    QTimer::singleShot(0, &context_, [this] { RunWaiting(); });
}

void BusyGate::RunWaiting() {
    flushScheduled_ = false;
    while (!IsBusy() && !waiting_.empty()) {
        std::function<void()> command = std::move(waiting_.front());
        waiting_.pop_front();
        Run(std::move(command));
    }
}

} // namespace quillon
