// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/DateTimeValue.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace quillon {

namespace {
const QDate kEpoch(1899, 12, 30);
}

DateTimeValue DateSerial(int year, int month, int day) {
    return static_cast<double>(kEpoch.daysTo(QDate(year, month, day)));
}

DateTimeValue TimeSerial(int hour, int minute, int second) {
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

DateTimeValue MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    return DateSerial(year, month, day) + TimeSerial(hour, minute, second);
}

DateTimeValue DatePart(DateTimeValue value) {
    return std::floor(value);
}

CivilDateTime SplitDateTime(DateTimeValue value) {
    // Dates the calendar cannot hold (no number, or beyond any year the
    // program meets) come back as the empty date 00/00/0000.
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6) {
        return CivilDateTime{0, 0, 0, 0, 0, 0};
    }
    double days = std::floor(value);
    long long seconds = std::llround((value - days) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += 1;
    }
    const QDate date = kEpoch.addDays(static_cast<qint64>(days));
    CivilDateTime out;
    out.year = date.year();
    out.month = date.month();
    out.day = date.day();
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>((seconds / 60) % 60);
    out.second = static_cast<int>(seconds % 60);
    return out;
}

int DayOfYear(DateTimeValue value) {
    const CivilDateTime c = SplitDateTime(value);
    return QDate(c.year, c.month, c.day).dayOfYear();
}

DateTimeValue FromQDateTime(const QDateTime& utc) {
    const QDateTime u = utc.toUTC();
    const double days = static_cast<double>(kEpoch.daysTo(u.date()));
    return days + u.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime ToQDateTime(DateTimeValue value) {
    const double days = std::floor(value);
    const qint64 ms = std::llround((value - days) * 86400000.0);
    QDateTime out(kEpoch.addDays(static_cast<qint64>(days)), QTime(0, 0), Qt::UTC);
    return out.addMSecs(ms);
}

bool ParseMdy(const QString& text, DateTimeValue* date) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        return false;
    }
    const QDate d(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    if (!d.isValid()) {
        return false;
    }
    *date = static_cast<double>(kEpoch.daysTo(d));
    return true;
}

bool ParseIsoDateTime(const QString& text, DateTimeValue* value) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})[T ](\\d{2}):(\\d{2}):(\\d{2})Z?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) {
        return false;
    }
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const int h = m.captured(4).toInt();
    const int mi = m.captured(5).toInt();
    const int s = m.captured(6).toInt();
    if (!d.isValid() || h > 23 || mi > 59 || s > 59) {
        return false;
    }
    *value = static_cast<double>(kEpoch.daysTo(d)) + TimeSerial(h, mi, s);
    return true;
}

} // namespace quillon
