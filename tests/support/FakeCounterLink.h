// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "instrument/CounterLink.h"
#include "support/FakeClock.h"

#include <QList>
#include <deque>
#include <functional>
#include <vector>

namespace quillon::test {

// A CUB5 counter behind a fake serial line on the fake clock: replies come
// 26 ms of fake time after each request, as on a 9600-baud line; it can
// fall silent, answer garbage or answer in pieces, stall for a number of
// requests and recover, and be closed in the middle of a run. Like the
// serial link, its wait handles pending events, keys and clicks among
// them, and a closed link delivers nothing.
class FakeCounterLink : public CounterLink {
public:
    enum class Mode { Normal, Silent, Garbage, HalfReply };

    explicit FakeCounterLink(FakeClock& clock) : clock_(clock) {}

    Result<void> Open(const QString& device) override;
    bool IsOpen() const override { return open_; }
    void Close() override {
        open_ = false;
        pending_.clear();
        received_.clear();
    }
    QString Device() const override { return device_; }
    void Write(const QByteArray& text) override;
    qint64 BytesWaiting() override;
    QByteArray ReadAll() override;
    void Poll(int ms) override;

    // Counter values to report, one per request; the last one repeats.
    void SetValues(std::vector<double> values) {
        values_ = std::move(values);
        next_ = 0;
    }
    void SetValue(double value) { SetValues({value}); }
    void SetMode(Mode mode) { mode_ = mode; }
    void FailOpen(const QString& reason) { openFailure_ = reason; }
    // Seconds from a request to its reply (a slow counter); 26 ms as on a
    // 9600-baud line unless set.
    void SetReplyDelay(double seconds) { replyDelay_ = seconds; }
    // The next `requests` requests go unanswered; then it answers again.
    void Stall(int requests) { stalled_ = requests; }
    // Runs on every wait for a reply (a test's operator acting mid-read).
    void OnPoll(std::function<void()> action) { onPoll_ = std::move(action); }

    int polls = 0;

    QList<QByteArray> written;
    int requests = 0;

private:
    struct Pending {
        DateTimeValue due;
        QByteArray bytes;
    };
    void Deliver();

    FakeClock& clock_;
    bool open_ = false;
    QString device_;
    QString openFailure_;
    Mode mode_ = Mode::Normal;
    int stalled_ = 0;
    double replyDelay_ = 0.026;
    std::function<void()> onPoll_;
    std::vector<double> values_{0.0};
    size_t next_ = 0;
    std::deque<Pending> pending_;
    QByteArray received_;
};

// The counter's reply text for a value: " 2 CTA", 12 columns, CR LF.
QByteArray CounterReply(double value);

} // namespace quillon::test
