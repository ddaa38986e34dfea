// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/StationSetup.h"
#include "instrument/CounterLink.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"
#include "util/RdialSource.h"
#include "util/Result.h"

#include <functional>

namespace quillon {

// The R-dial as the CUB5 counter reports it: "N2TA*" asks node 2 for count
// A, whose reply (20 characters or more) carries the value from character
// 7; "N2VA0*" sets count A to zero.
class Cub5Encoder : public RdialSource {
public:
    Cub5Encoder(const StationSetup& setup, CounterLink& link, Clock& clock,
                OperatorMessages& messages);

    // Opens the configured encoder port (nothing when none is configured),
    // or fails with a message naming the port and the system's reason.
    Result<void> OpenEncoderPort();
    // Closes the port; during a read it closes when the read is over, so a
    // read never loses its port underneath it.
    void ClosePort();

    // The mean R-dial value over a window of `seconds` (at least two
    // samples), or the counter's failure naming the device and what arrived.
    // While it waits for the counter the program's events run (the caller
    // holds the busy gate, so no command runs inside the read); `stop`, when
    // given, is asked between polls, and a true answer ends the read at
    // once (Interrupted()).
    Result<double> ReadEncoder(double seconds, const std::function<bool()>& stop = {});
    bool Interrupted() const { return interrupted_; }
    bool Reading() const { return reading_; }

    // Sets the counter to zero.
    void ResetEncoder();

    // Shows the failure in the "ReadEncdr Error" box, then runs the failure
    // action (the program ends: it cannot observe without its dial).
    void ReportFailure(const Error& failure);
    void SetFailureAction(std::function<void()> action) { failureAction_ = std::move(action); }

    int SamplesInLastRead() const { return lastSamples_; }

    // The dial as the encoder check reads it: half-second windows.
    Result<double> ReadDial() override { return ReadEncoder(0.5); }
    void ResetDial() override { ResetEncoder(); }
    void ReportDialFailure(const Error& failure) override { ReportFailure(failure); }

    // A reply that never reaches 20 characters is given up after this long.
    static constexpr double kReplyTimeoutSeconds = 2.0;

private:
    Result<double> Sample(const std::function<bool()>& stop);
    Result<double> ReadWindow(double seconds, const std::function<bool()>& stop);

    const StationSetup& setup_;
    CounterLink& link_;
    Clock& clock_;
    OperatorMessages& messages_;
    std::function<void()> failureAction_;
    QString device_; // the device opened, named in the operator's messages
    int lastSamples_ = 0;
    bool reading_ = false;
    bool closeAfterRead_ = false;
    bool interrupted_ = false;
};

// The counter's value in a reply: the number from character 7, blanks before
// it allowed, ending at the first character that cannot continue it. Values
// of 310 and more are positions just below zero (360 is subtracted).
bool ParseCounterReply(const QByteArray& reply, double* rdial);

} // namespace quillon
