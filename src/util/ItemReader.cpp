// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/ItemReader.h"

#include <utility>

namespace quillon {

ItemReader::ItemReader(QString text) : text_(std::move(text)) {}

void ItemReader::SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == u' ' || text_[pos_] == u'\t')) {
        ++pos_;
    }
}

bool ItemReader::AtLineEnd() const {
    return pos_ >= text_.size() || text_[pos_] == u'\r' || text_[pos_] == u'\n';
}

std::optional<QString> ItemReader::Next() {
    // Skip blanks and empty lines before the item.
    for (;;) {
        SkipBlanks();
        if (pos_ >= text_.size()) {
            return std::nullopt;
        }
        if (text_[pos_] == u'\r' || text_[pos_] == u'\n') {
            ++pos_;
            continue;
        }
        break;
    }
    QString item;
    quoteUnclosed_ = false;
    if (text_[pos_] == u'"') {
        const qsizetype start = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != u'"' && text_[pos_] != u'\n') {
            ++pos_;
        }
        item = text_.mid(start, pos_ - start);
        if (pos_ < text_.size() && text_[pos_] == u'"') {
            ++pos_;
        } else {
            quoteUnclosed_ = true;
        }
        // Anything after the closing quote up to the separator is dropped.
        while (!AtLineEnd() && text_[pos_] != u',') {
            ++pos_;
        }
    } else {
        const qsizetype start = pos_;
        while (!AtLineEnd() && text_[pos_] != u',') {
            ++pos_;
        }
        qsizetype end = pos_;
        while (end > start && (text_[end - 1] == u' ' || text_[end - 1] == u'\t')) {
            --end;
        }
        item = text_.mid(start, end - start);
    }
    if (pos_ < text_.size() && text_[pos_] == u',') {
        ++pos_;
    }
    ++itemNumber_;
    return item;
}

bool ParseNumberItem(const QString& item, double* value) {
    QStringView t = QStringView(item).trimmed();
    QString joined;
    // A blank between the sign and the digits ("- 9.999") is allowed.
    if (t.size() > 1 && (t[0] == u'-' || t[0] == u'+') && t[1].isSpace()) {
        joined = t[0] + t.mid(1).trimmed().toString();
        t = joined;
    }
    if (t.isEmpty()) {
        return false;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok) {
        return false;
    }
    *value = v;
    return true;
}

} // namespace quillon
