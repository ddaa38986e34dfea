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
    if (text_[pos_] == u'"') {
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != u'"' && text_[pos_] != u'\n') {
            item += text_[pos_++];
        }
        if (pos_ < text_.size() && text_[pos_] == u'"') {
            ++pos_;
        }
        // Anything after the closing quote up to the separator is dropped.
        while (!AtLineEnd() && text_[pos_] != u',') {
            ++pos_;
        }
    } else {
        while (!AtLineEnd() && text_[pos_] != u',') {
            item += text_[pos_++];
        }
        while (item.endsWith(u' ') || item.endsWith(u'\t')) {
            item.chop(1);
        }
    }
    if (pos_ < text_.size() && text_[pos_] == u',') {
        ++pos_;
    }
    ++itemNumber_;
    return item;
}

bool ParseNumberItem(const QString& item, double* value) {
    QString t = item.trimmed();
    if (t.size() > 1 && (t[0] == u'-' || t[0] == u'+')) {
        t = t[0] + t.mid(1).trimmed();
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
