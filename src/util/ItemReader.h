// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace quillon {

// Reads a configuration or history file item by item, in the free format
// the station's files are written in: an item ends at a comma or at the end of a
// line, leading blanks are skipped, and a text item may be enclosed in double
// quotes (needed when it holds a comma). Blank lines hold no items.
class ItemReader {
public:
    explicit ItemReader(QString text);

    // The next item, or nothing at the end of the text.
    std::optional<QString> Next();

    // How many items have been taken so far (the number of the last one).
    int ItemNumber() const { return itemNumber_; }
    // Whether the last item opened a quote that the file never closed (a
    // file cut inside that item).
    bool LastQuoteUnclosed() const { return quoteUnclosed_; }

private:
    void SkipBlanks();
    bool AtLineEnd() const;

    QString text_;
    qsizetype pos_ = 0;
    int itemNumber_ = 0;
    bool quoteUnclosed_ = false;
};

// Parses a decimal number item ("12.5", "-3", "1E3"); blanks around it and a
// blank between a sign and its digits are allowed. False for anything else.
bool ParseNumberItem(const QString& item, double* value);

} // namespace quillon
