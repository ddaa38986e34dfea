// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "instrument/CounterLink.h"

#include <QSerialPort>

namespace quillon {

// The counter link on a real serial port (or a pseudo-terminal).
class SerialCounterLink : public CounterLink {
public:
    Result<void> Open(const QString& device) override;
    bool IsOpen() const override { return port_.isOpen(); }
    void Close() override;
    QString Device() const override { return port_.portName(); }
    void Write(const QByteArray& text) override;
    qint64 BytesWaiting() override;
    QByteArray ReadAll() override;
    void Poll(int ms) override;

private:
    QSerialPort port_;
};

} // namespace quillon
