// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Result.h"

#include <QByteArray>
#include <QString>

namespace quillon {

// Files on disk are 8-bit Windows-1252 text with CR LF line ends on every
// platform (the plus-minus sign is byte 177); screens use Unicode.
QString DecodeWindows1252(const QByteArray& bytes);
QByteArray EncodeWindows1252(const QString& text);

// Joins lines into file text, each ending in CR LF.
QByteArray CrLfLines(const QStringList& lines);

// Splits file text into lines, accepting CR LF, LF or CR line ends.
QStringList SplitLines(const QString& text);

// The error numbers of file errors, shown with each error's text
// (Error::number): the numbers the stations' own procedures refer to.
constexpr int kErrFileNotFound = 53;
constexpr int kErrInputPastEnd = 62;
constexpr int kErrTypeMismatch = 13;
constexpr int kErrPathNotFound = 76;
constexpr int kErrAccess = 75;
constexpr int kErrDeviceIo = 57;

// Reads a whole text file, or says why it cannot (its kind, the
// operator's wording and error number). Day files and histories may grow
// large; configuration files never do.
constexpr qint64 kMaxTextFileBytes = 256LL * 1024 * 1024;
constexpr qint64 kMaxConfigFileBytes = 1024 * 1024;
// A real day file stays well under 1 MB; one of hundreds would take the
// program tens of seconds and gigabytes to read, so it is refused.
constexpr qint64 kMaxDayFileBytes = 64LL * 1024 * 1024;
Result<QString> ReadTextFile(const QString& path, qint64 maxBytes = kMaxTextFileBytes);

} // namespace quillon
