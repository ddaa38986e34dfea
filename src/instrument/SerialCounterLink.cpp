// SPDX-License-Identifier: GPL-3.0-or-later
#include "instrument/SerialCounterLink.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace quillon {

bool EncoderDeviceName(const QString& encoderPort, QString* device, QString* error) {
    // "COMn": the port number is the number after the M ("COM2:" is port 2).
    static const QRegularExpression com(QStringLiteral("^\\s*COM\\s*(\\d*)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = com.match(encoderPort);
    if (!m.hasMatch()) {
        *device = encoderPort.trimmed();
        return true;
    }
    const int number = m.captured(1).left(4).toInt();
    if (number < 1) {
        *error = QStringLiteral("The encoder port ") + encoderPort.trimmed() +
                 QStringLiteral(" names no serial port: COM ports are numbered from 1.");
        return false;
    }
#ifdef Q_OS_WIN
    *device = QStringLiteral("COM%1").arg(number);
#else
    *device = QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
    return true;
}

bool SerialCounterLink::Open(const QString& device, QString* error) {
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
        *error = port_.errorString();
        return false;
    }
    return true;
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

void SerialCounterLink::Poll(int ms, bool userInput) {
    QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents
                                              : QEventLoop::ExcludeUserInputEvents);
    if (!port_.isOpen()) {
        return;
    }
    // bytesAvailable() only grows inside the event loop or while waiting here.
    port_.waitForReadyRead(ms);
}

} // namespace quillon
