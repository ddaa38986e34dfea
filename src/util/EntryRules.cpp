// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/EntryRules.h"

#include "util/ItemReader.h"

#include <cmath>

namespace quillon {

EntryResult DegsCEnter(const QString& text, double* degrees) {
    if (text.isEmpty()) {
        return {false, QStringLiteral("Enter Temperature or Press Escape")};
    }
    double value = 0;
    if (!ParseNumberItem(text, &value)) {
        return {false, text + QStringLiteral(" not a Number. ")};
    }
    if (value > 40 || value < -5) {
        return {false, text + QStringLiteral(" is out of range. ")};
    }
    *degrees = value;
    return {true, {}};
}

bool DegsCAcceptsChar(QChar c) {
    return c == u'.' || (c >= u'0' && c <= u'9');
}

QString DegsCSignKey(const QString& text, QChar sign) {
    if (text.isEmpty()) {
        return text;
    }
    double value = 0;
    if (!ParseNumberItem(text, &value)) {
        return text;
    }
    const double magnitude = std::fabs(value);
    const QString digits = QString::number(magnitude, 'g', 12);
    // A positive value keeps a blank where the sign goes, so the digits
    // stay in their column as the operator flips the sign.
    return (sign == u'-' ? u'-' : u' ') + digits;
}

EntryResult InitialsEnter(const QString& text) {
    if (text.isEmpty()) {
        return {false, QStringLiteral("Please Enter Initials or Escape")};
    }
    return {true, {}};
}

std::optional<QChar> InitialsKey(const QString& current, QChar typed) {
    const QChar upper = typed.toUpper();
    if (upper < u'A' || upper > u'Z' || typed.unicode() > 127) {
        return std::nullopt;
    }
    if (current.size() >= 3) {
        return std::nullopt;
    }
    return upper;
}

QString CleanInitials(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (const auto letter = InitialsKey(out, c)) {
            out += *letter;
        }
    }
    return out;
}

EntryResult CommentEnter(const QString& text) {
    if (text.isEmpty()) {
        return {false, QStringLiteral("No Text -- Enter Text or press Escape")};
    }
    return {true, {}};
}

} // namespace quillon
