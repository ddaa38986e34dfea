// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeCounterLink.h"

#include <QCoreApplication>

namespace quillon::test {

QByteArray CounterReply(double value) {
    return QByteArray(" 2 CTA") + QByteArray::number(value, 'f', 1).rightJustified(12, ' ') +
           "\r\n";
}

Result<void> FakeCounterLink::Open(const QString& device) {
    device_ = device;
    if (!openFailure_.isEmpty()) {
        return Error{ErrorKind::Device, openFailure_};
    }
    open_ = true;
    return {};
}

void FakeCounterLink::Poll(int ms) {
    ++polls;
    clock_.Advance(ms / 1000.0);
    QCoreApplication::processEvents();
    if (onPoll_) {
        onPoll_();
    }
}

void FakeCounterLink::Write(const QByteArray& text) {
    if (!open_) {
        return;
    }
    written << text;
    if (text != "N2TA*") {
        return;
    }
    ++requests;
    if (stalled_ > 0) {
        --stalled_;
        ++next_;
        return;
    }
    const double value = values_[std::min(next_, values_.size() - 1)];
    ++next_;
    const DateTimeValue due = clock_.Now() + replyDelay_ / 86400.0;
    switch (mode_) {
    case Mode::Normal:
        pending_.push_back({due, CounterReply(value)});
        break;
    case Mode::Garbage:
        pending_.push_back({due, " 2 CTA  ERR?OVERFLW\r\n"});
        break;
    case Mode::HalfReply:
        pending_.push_back({due, CounterReply(value).left(9)});
        break;
    case Mode::Silent:
        break;
    }
}

void FakeCounterLink::Deliver() {
    while (!pending_.empty() && pending_.front().due <= clock_.Now()) {
        received_ += pending_.front().bytes;
        pending_.pop_front();
    }
}

qint64 FakeCounterLink::BytesWaiting() {
    if (!open_) {
        return 0;
    }
    Deliver();
    return received_.size();
}

QByteArray FakeCounterLink::ReadAll() {
    Deliver();
    QByteArray out = received_;
    received_.clear();
    return out;
}

} // namespace quillon::test
