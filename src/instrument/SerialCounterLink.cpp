// SPDX-License-Identifier: GPL-3.0-or-later
#include "instrument/SerialCounterLink.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace quillon {

Result<QString> EncoderDeviceName(const QString& encoderPort) {
    // "COMn": the port number is the number after the M ("COM2:" is port 2).
    static const QRegularExpression com(QStringLiteral("^\\s*COM\\s*(\\d*)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = com.match(encoderPort);
    if (!m.hasMatch()) {
        return encoderPort.trimmed();
    }
    const int number = m.captured(1).left(4).toInt();
    if (number < 1) {
        return Error{ErrorKind::Station,
                     QStringLiteral("The encoder port ") + encoderPort.trimmed() +
                         QStringLiteral(" names no serial port: COM ports are numbered from 1.")};
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

Result<void> SerialCounterLink::Open(const QString& device) {
    if (port_.isOpen()) {
        port_.close();
    }
    port_.setPortName(device);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setParity(QSerialPort::NoParity);
    port_.setDataBits(QSerialPort::Data8);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        return Error{ErrorKind::Device, port_.errorString()};
    }
    return {};
}

void SerialCounterLink::Close() {
    if (port_.isOpen()) {
        port_.close();
    }
}

void SerialCounterLink::Write(const QByteArray& text) {
    port_.write(text);
    port_.flush();
}

qint64 SerialCounterLink::BytesWaiting() {
    return port_.bytesAvailable();
}

QByteArray SerialCounterLink::ReadAll() {
    return port_.readAll();
}

void SerialCounterLink::Poll(int ms) {
    QCoreApplication::processEvents();
    if (!port_.isOpen()) {
        return;
    }
    // bytesAvailable() only grows inside the event loop or while waiting here.
    port_.waitForReadyRead(ms);
}

} // namespace quillon
