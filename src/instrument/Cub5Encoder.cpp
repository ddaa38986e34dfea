// SPDX-License-Identifier: GPL-3.0-or-later
#include "instrument/Cub5Encoder.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace quillon {

namespace {
QString Printable(const QByteArray& bytes) {
    QString out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        out += u >= 32 && u < 127 ? QString(QChar(u))
                                  : QStringLiteral("<%1>").arg(u, 2, 16, QChar('0'));
    }
    return out;
}
} // namespace

Cub5Encoder::Cub5Encoder(const StationSetup& setup, CounterLink& link, Clock& clock,
                         OperatorMessages& messages)
    : setup_(setup), link_(link), clock_(clock), messages_(messages) {}

Result<void> Cub5Encoder::OpenEncoderPort() {
    if (setup_.EncoderPort.isEmpty()) {
        link_.Close();
        return {};
    }
    const Result<QString> named = EncoderDeviceName(setup_.EncoderPort);
    if (!named) {
        return named.error();
    }
    QString device = *named;
    // A relative name (a link to the counter's device in the station's home,
    // say) is taken from the home directory, as every other path is.
    if (QFileInfo(device).isRelative() && !setup_.HomeDir.isEmpty()) {
        device = QDir(setup_.HomeDir).absoluteFilePath(device);
    }
    device_ = device;
    if (const Result<void> opened = link_.Open(device); !opened) {
        return Error{ErrorKind::Device, QStringLiteral("The encoder port ") + setup_.EncoderPort +
                                            QStringLiteral(" (") + device +
                                            QStringLiteral(") could not be opened: ") +
                                            opened.error().message};
    }
    return {};
}

void Cub5Encoder::ClosePort() {
    if (reading_) {
        closeAfterRead_ = true;
        return;
    }
    link_.Close();
}

bool ParseCounterReply(const QByteArray& reply, double* rdial) {
    if (reply.size() < 20) {
        return false;
    }
    const QByteArray text = reply.mid(6);
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    QByteArray number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        number += text[i];
        ++i;
        // The number parse lets blanks stand between the sign and the digits.
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
    }
    const qsizetype start = i;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            digits = true;
        }
    }
    if (!digits) {
        return false;
    }
    number += text.mid(start, i - start);
    double value = number.toDouble();
    if (value >= 310.0) {
        value -= 360.0;
    }
    *rdial = value;
    return true;
}

Result<double> Cub5Encoder::Sample(const std::function<bool()>& stop) {
    if (!link_.IsOpen()) {
        return Error{ErrorKind::Device, QStringLiteral("The encoder port ") + setup_.EncoderPort +
                                            QStringLiteral(" is not open.")};
    }
    Pause(clock_, 0.05);
    link_.Write("N2TA*");
    const DateTimeValue asked = clock_.Now();
    while (link_.BytesWaiting() < 20) {
        if ((clock_.Now() - asked) * 86400.0 > kReplyTimeoutSeconds) {
            const QByteArray partial = link_.ReadAll();
            return Error{ErrorKind::Device,
                         QStringLiteral("The encoder counter on ") + device_ +
                             QStringLiteral(" did not answer within 2 seconds (") +
                             (partial.isEmpty() ? QStringLiteral("nothing arrived")
                                                : QStringLiteral("only \"") + Printable(partial) +
                                                      QStringLiteral("\" arrived")) +
                             QStringLiteral("). Check the cable and the counter's power.")};
        }
        link_.Poll(5);
        if (stop && stop()) {
            interrupted_ = true;
            return 0.0;
        }
    }
    const QByteArray reply = link_.ReadAll();
    double value = 0;
    if (!ParseCounterReply(reply, &value)) {
        return Error{ErrorKind::Device, QStringLiteral("The encoder counter on ") + device_ +
                                            QStringLiteral(" answered \"") + Printable(reply) +
                                            QStringLiteral("\", which holds no R-dial value.")};
    }
    return value;
}

Result<double> Cub5Encoder::ReadEncoder(double seconds, const std::function<bool()>& stop) {
    lastSamples_ = 0;
    interrupted_ = false;
    reading_ = true;
    const Result<double> mean = ReadWindow(seconds, stop);
    reading_ = false;
    if (closeAfterRead_) {
        closeAfterRead_ = false;
        link_.Close();
    }
    return mean;
}

Result<double> Cub5Encoder::ReadWindow(double seconds, const std::function<bool()>& stop) {
    const double start = clock_.SecondsSinceMidnight();
    const double end = start + seconds;
    Result<double> value = Sample(stop);
    if (!value || interrupted_) {
        return value;
    }
    double sum = *value;
    int count = 1;
    for (;;) {
        value = Sample(stop);
        if (!value || interrupted_) {
            return value;
        }
        double now = clock_.SecondsSinceMidnight();
        if (start > now) {
            now += 86400.0; // midnight has passed since the window opened
        }
        sum += *value;
        ++count;
        if (now >= end) {
            break;
        }
    }
    lastSamples_ = count;
    return sum / count;
}

void Cub5Encoder::ResetEncoder() {
    if (link_.IsOpen()) {
        link_.Write("N2VA0*");
    }
}

void Cub5Encoder::ReportFailure(const Error& failure) {
    messages_.Show(failure.message, QStringLiteral("ReadEncdr Error"));
    if (failureAction_) {
        failureAction_();
    }
}

} // namespace quillon
