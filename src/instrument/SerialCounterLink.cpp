#include "instrument/SerialCounterLink.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace quillon {

QString EncoderDeviceName(const QString& encoderPort) {
    static const QRegularExpression com(QStringLiteral("^\\s*COM(\\d+)\\s*$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = com.match(encoderPort);
    if (!m.hasMatch()) {
        return encoderPort.trimmed();
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM") + m.captured(1);
#else
    return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
#endif
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

void SerialCounterLink::Poll(int ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // bytesAvailable() only grows inside the event loop or while waiting here.
    port_.waitForReadyRead(ms);
}

} // namespace quillon
