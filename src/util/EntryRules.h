// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace quillon {

// The key rules of the three entry screens (instrument temperature,
// initials, comment), kept apart from the screens so they can be tested.

// Result of pressing Enter on an entry screen.
struct EntryResult {
    bool accepted = false;
    QString error; // the message shown on the screen when not accepted
};

// Instrument temperature: -5 to 40 degrees C inclusive.
EntryResult DegsCEnter(const QString& text, double* degrees);
// Whether a typed character may go into the temperature box ("+" and "-"
// are handled by DegsCSignKey, every other key is discarded).
bool DegsCAcceptsChar(QChar c);
// "+" makes the box's number positive, "-" negative; nothing when empty.
QString DegsCSignKey(const QString& text, QChar sign);

// Initials: up to three capital letters; lower case is raised.
EntryResult InitialsEnter(const QString& text);
// The character to insert for a typed key, or nothing when it is discarded.
std::optional<QChar> InitialsKey(const QString& current, QChar typed);
// Pasted text by the same rule: its first three letters, raised.
QString CleanInitials(const QString& text);

// Comment: any text but none.
EntryResult CommentEnter(const QString& text);

} // namespace quillon
