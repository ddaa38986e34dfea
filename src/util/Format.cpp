// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/Format.h"

#include <QHash>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace quillon {

namespace {

struct DecimalDigits {
    std::string integer;  // without leading zeros; empty for zero
    std::string fraction; // exactly `decimals` digits
};

// Rounds |value| to `decimals` places, half away from zero, working on the
// 15 significant decimal digits that the double stands for rather than on its
// binary expansion.
DecimalDigits RoundDecimal(double value, int decimals) {
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value),
                                   std::chars_format::scientific, 14)
                         .ptr;
    *end = '\0';
    std::string digits;
    const char* p = buf;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {
            digits += *p;
        }
    }
    int pointPos = *p == 'e' ? std::atoi(p + 1) + 1 : 1;
    if (pointPos <= 0) {
        digits.insert(0, static_cast<size_t>(1 - pointPos), '0');
        pointPos = 1;
    }
    const size_t keep = static_cast<size_t>(pointPos + decimals);
    if (keep < digits.size()) {
        const bool roundUp = digits[keep] >= '5';
        digits.resize(keep);
        if (roundUp) {
            int i = static_cast<int>(keep) - 1;
            for (; i >= 0; --i) {
                if (digits[static_cast<size_t>(i)] == '9') {
                    digits[static_cast<size_t>(i)] = '0';
                } else {
                    ++digits[static_cast<size_t>(i)];
                    break;
                }
            }
            if (i < 0) {
                digits.insert(0, 1, '1');
                ++pointPos;
            }
        }
    } else {
        digits.append(keep - digits.size(), '0');
    }
    DecimalDigits out;
    out.integer = digits.substr(0, static_cast<size_t>(pointPos));
    out.fraction = digits.substr(static_cast<size_t>(pointPos));
    const size_t firstNonZero = out.integer.find_first_not_of('0');
    out.integer =
        firstNonZero == std::string::npos ? std::string() : out.integer.substr(firstNonZero);
    return out;
}

bool IsDigitPlaceholder(QChar c) {
    return c == u'0' || c == u'#';
}

struct Section {
    QString prefix;
    QString suffix;
    int minInteger = 0;
    bool grouping = false;
    bool hasPoint = false;
    int minFraction = 0;
    int maxFraction = 0;
};

Section ParseSection(QStringView text) {
    Section s;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsDigitPlaceholder(text[i])) {
            if (first < 0) {
                first = i;
            }
            last = i;
        }
    }
    if (first < 0) {
        s.prefix = text.toString();
        return s;
    }
    // A point just before the first placeholder (".000") belongs to the body.
    if (first > 0 && text[first - 1] == u'.') {
        --first;
    }
    s.prefix = text.left(first).toString();
    s.suffix = text.mid(last + 1).toString();
    bool inFraction = false;
    for (qsizetype i = first; i <= last; ++i) {
        const QChar c = text[i];
        if (c == u'.') {
            inFraction = true;
            s.hasPoint = true;
        } else if (c == u',') {
            s.grouping = !inFraction;
        } else if (IsDigitPlaceholder(c)) {
            if (inFraction) {
                ++s.maxFraction;
                if (c == u'0') {
                    s.minFraction = s.maxFraction;
                }
            } else if (c == u'0' || s.minInteger > 0) {
                ++s.minInteger;
            }
        }
    }
    return s;
}

QString Group(const QString& digits) {
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out += u',';
        }
        out += digits[i];
    }
    return out;
}

QString FormatSection(const Section& s, const DecimalDigits& d) {
    QString integer = QString::fromStdString(d.integer);
    if (integer.size() < s.minInteger) {
        integer = QString(s.minInteger - integer.size(), u'0') + integer;
    }
    if (s.grouping) {
        integer = Group(integer);
    }
    QString fraction = QString::fromStdString(d.fraction);
    while (fraction.size() > s.minFraction && fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
    QString body = integer;
    if (s.hasPoint) {
        body += u'.' + fraction;
    }
    return s.prefix + body + s.suffix;
}

bool IsZero(const DecimalDigits& d) {
    return d.integer.empty() && d.fraction.find_first_not_of('0') == std::string::npos;
}

QString TwoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

const char* const kMonthAbbrev[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthName[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};

QString StrFromDigits(double value, int significant) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? QStringLiteral(" NaN")
                                 : (value > 0 ? QStringLiteral(" Inf") : QStringLiteral("-Inf"));
    }
    if (value == 0) {
        return QStringLiteral(" 0");
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", significant, value);
    QString text = QString::fromLatin1(buf).toUpper();
    if (text.startsWith(QLatin1String("0."))) {
        text.remove(0, 1);
    } else if (text.startsWith(QLatin1String("-0."))) {
        text.remove(1, 1);
    }
    return value < 0 ? text : u' ' + text;
}

// Pictures are few and used over and over: each is parsed once.
const QList<Section>& ParsedPicture(QStringView picture) {
    thread_local QHash<QString, QList<Section>> cache;
    const QString key = picture.toString();
    auto it = cache.constFind(key);
    if (it == cache.constEnd()) {
        // The program's pictures are a few dozen; anything beyond that is
        // not worth keeping.
        if (cache.size() >= 256) {
            cache.clear();
        }
        QList<Section> sections;
        for (QStringView part : picture.split(u';')) {
            sections << ParseSection(part);
        }
        it = cache.insert(key, sections);
    }
    return *it;
}

} // namespace

QString FormatNumber(double value, QStringView picture) {
    // A value that is no number has no digits to show: a fixed text, never
    // digits made up from whatever the conversion left.
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    }
    const QList<Section>& sections = ParsedPicture(picture);
    const Section& positive = sections[0];
    if (value < 0 && sections.size() >= 2) {
        const Section& negative = sections[1];
        const DecimalDigits d = RoundDecimal(value, negative.maxFraction);
        if (IsZero(d) && sections.size() >= 3) {
            return FormatSection(sections[2], d);
        }
        return FormatSection(negative, d);
    }
    const DecimalDigits d = RoundDecimal(value, positive.maxFraction);
    if (IsZero(d) && sections.size() >= 3) {
        const Section& zero = sections[2];
        return FormatSection(zero, RoundDecimal(0.0, zero.maxFraction));
    }
    const QString text = FormatSection(positive, d);
    return value < 0 && !IsZero(d) ? u'-' + text : text;
}

QString FormatDate(DateTimeValue value, QStringView picture) {
    const CivilDateTime c = SplitDateTime(value);
    QString out;
    bool afterHour = false;
    qsizetype i = 0;
    while (i < picture.size()) {
        const QChar ch = picture[i];
        const QChar lower = ch.toLower();
        qsizetype run = 1;
        while (i + run < picture.size() && picture[i + run].toLower() == lower) {
            ++run;
        }
        if (lower == u'y') {
            out += run >= 4 ? QString::number(c.year) : TwoDigits(c.year % 100);
        } else if (lower == u'd') {
            out += TwoDigits(c.day);
        } else if (lower == u'h') {
            out += TwoDigits(c.hour);
            afterHour = true;
            i += run;
            continue;
        } else if (lower == u'n' || (lower == u'm' && afterHour && run <= 2)) {
            out += TwoDigits(c.minute);
        } else if (lower == u'm') {
            if (run >= 4) {
                out += c.month >= 1 && c.month <= 12 ? QLatin1String(kMonthName[c.month - 1])
                                                     : QLatin1String("???");
            } else if (run == 3) {
                out += c.month >= 1 && c.month <= 12 ? QLatin1String(kMonthAbbrev[c.month - 1])
                                                     : QLatin1String("???");
            } else {
                out += TwoDigits(c.month);
            }
        } else if (lower == u's') {
            out += TwoDigits(c.second);
        } else {
            out += picture.mid(i, run);
            i += run;
            continue; // literals keep the "minutes after an hour" state
        }
        afterHour = false;
        i += run;
    }
    return out;
}

QString Str(double value) {
    return StrFromDigits(value, 15);
}

QString StrSingle(float value) {
    return StrFromDigits(static_cast<double>(value), 7);
}

QString PadRight(const QString& text, int width) {
    return text.leftJustified(width, u' ', true);
}

void TabTo(QString& line, int column) {
    if (line.size() < column - 1) {
        line += QString(column - 1 - line.size(), u' ');
    } else if (!line.isEmpty() && line.size() >= column) {
        line += u' ';
    }
}

} // namespace quillon
