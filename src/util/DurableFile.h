#pragma once

#include <QByteArray>
#include <QString>

namespace quillon {

// Appends one whole record to a file: a single write of all its bytes, then
// flushed and synced to the disk before the file is closed. A power cut or a
// killed process may lose the record being written, never an earlier one.
// If an earlier append was cut off mid-line, the torn tail is cut back to the
// last complete line first, so no half record stays in front of this one.
// On failure returns false with the system's reason in `error`.
bool AppendRecord(const QString& path, const QByteArray& bytes, QString* error);

// Replaces a file as a whole: written to a temporary file, synced, then
// renamed over the old one, so readers see either the old or the new file.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error);

} // namespace quillon
