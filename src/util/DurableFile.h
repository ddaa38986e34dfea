#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace quillon {

// How many leading bytes of a file's contents are whole records: what lies
// after them is the torn tail of an append that was cut off.
using WholeRecordsLength = std::function<qint64(const QByteArray& contents)>;

// Appends one whole record to a file: a single write of all its bytes, then
// flushed and synced to the disk before the file is closed. A power cut or a
// killed process may lose the record being written, never an earlier one.
// A torn tail left by an earlier append is cut back first, so no half
// record stays in front of this one: to the last whole record when
// `wholeRecords` knows the file's records, else to the last complete line.
// A write that fails (a full disk, a size limit) leaves the file at its
// length before the append. On failure returns false with the system's
// reason in `error`.
bool AppendRecord(const QString& path, const QByteArray& bytes, QString* error,
                  const WholeRecordsLength& wholeRecords = {});

// Replaces a file as a whole: written to a temporary file, synced, then
// renamed over the old one, so readers see either the old or the new file.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error);

} // namespace quillon
