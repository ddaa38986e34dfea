// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/BusyGate.h"

#include <QTimer>

namespace quillon {

BusyGate::Hold::Hold(BusyGate& gate, const QString& what) : gate_(gate), named_(!what.isEmpty()) {
    ++gate_.depth_;
    if (named_) {
        gate_.work_ << what;
        gate_.Notify();
    }
}

BusyGate::Hold::~Hold() {
    if (named_) {
        gate_.work_.removeLast();
        gate_.Notify();
    }
    gate_.Release();
}

void BusyGate::Run(std::function<void()> command, const QString& name) {
    if (IsBusy()) {
        waiting_ = Pending{name, std::move(command)};
        Notify();
        return;
    }
    Hold hold(*this, name);
    command();
}

QString BusyGate::WaitingText() const {
    if (!waiting_) {
        return {};
    }
    QString text = QStringLiteral("Waiting: ") + waiting_->name;
    if (!work_.isEmpty()) {
        text += QStringLiteral(" after ") + work_.last();
    }
    return text;
}

bool BusyGate::DropWaiting() {
    if (!waiting_) {
        return false;
    }
    waiting_.reset();
    Notify();
    return true;
}

void BusyGate::Notify() {
    if (observer_) {
        observer_();
    }
}

void BusyGate::Release() {
    --depth_;
    if (depth_ > 0 || !waiting_ || flushScheduled_) {
        return;
    }
    // Not from inside the hold's owner: the waiting command starts from the
    // event loop once the code that held the gate has returned.
    flushScheduled_ = true;
    QTimer::singleShot(0, &context_, [this] { RunWaiting(); });
}

void BusyGate::RunWaiting() {
    flushScheduled_ = false;
    if (IsBusy() || !waiting_) {
        return;
    }
    Pending pending = std::move(*waiting_);
    waiting_.reset();
    Notify();
    Run(std::move(pending.command), pending.name);
}

} // namespace quillon
