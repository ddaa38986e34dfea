// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Result.h"

#include <QByteArray>
#include <QString>

namespace quillon {

// The serial line to the CUB5 counter that counts the R-dial encoder's
// pulses. The program polls: it writes a request and looks at what is
// waiting in the receive buffer until the reply is there.
class CounterLink {
public:
    virtual ~CounterLink() = default;

    // Opens `device` at 9600 baud, no parity, 8 data bits, 1 stop bit, no
    // handshaking; or the system's reason why it cannot.
    virtual Result<void> Open(const QString& device) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
    virtual QString Device() const = 0;

    virtual void Write(const QByteArray& text) = 0;
    // Characters waiting in the receive buffer.
    virtual qint64 BytesWaiting() = 0;
    // Reads (and so empties) the whole receive buffer.
    virtual QByteArray ReadAll() = 0;
    // Lets up to `ms` milliseconds pass while the line delivers what has
    // arrived and the program's events run: screens paint, and the
    // operator's keys and clicks reach the busy gate as they are pressed
    // (never held until the read is over).
    virtual void Poll(int ms) = 0;
};

// The device of an encoder port name: "COMn" is COM port n ("/dev/ttyS(n-1)"
// on Linux), n being the number after the M; any other text (/dev/ttyUSB0,
// a pty path) is the device itself. A COM name without a port number of 1
// or more is refused with the reason.
Result<QString> EncoderDeviceName(const QString& encoderPort);

} // namespace quillon
