// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// The reason a file could not be used, with the error number and wording the
// station's operators know from the program this one replaces.
struct FileError {
    int number = 0; // 0 = no error
    QString description;
    bool ok() const { return number == 0; }
};

constexpr int kErrFileNotFound = 53;
constexpr int kErrInputPastEnd = 62;
constexpr int kErrTypeMismatch = 13;
constexpr int kErrPathNotFound = 76;
constexpr int kErrAccess = 75;
constexpr int kErrDeviceIo = 57;

// Reads a whole text file; on failure fills `error` and returns false.
// Day files and histories may grow large; configuration files never do.
constexpr qint64 kMaxTextFileBytes = 256LL * 1024 * 1024;
constexpr qint64 kMaxConfigFileBytes = 1024 * 1024;
bool ReadTextFile(const QString& path, QString* text, FileError* error,
                  qint64 maxBytes = kMaxTextFileBytes);

} // namespace quillon
