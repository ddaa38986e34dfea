// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace quillon {

namespace {
// Code points of bytes 0x80..0x9F in Windows-1252 (0 = undefined there).
const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QString DecodeWindows1252(const QByteArray& bytes) {
    // Latin-1 everywhere but 0x80..0x9F, which are rare in the station's files.
    QString out = QString::fromLatin1(bytes);
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out[i].unicode();
        if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0) {
            out[i] = QChar(kHigh[c - 0x80]);
        }
    }
    return out;
}

QByteArray EncodeWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += static_cast<char>(u);
            continue;
        }
        // The five bytes Windows-1252 leaves undefined were read as the C1
        // controls of the same number: they go back as they came.
        if (u >= 0x80 && u <= 0x9F && kHigh[u - 0x80] == 0) {
            out += static_cast<char>(u);
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i) {
            if (kHigh[i] == u && u != 0) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out += mapped;
    }
    return out;
}

QByteArray CrLfLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += EncodeWindows1252(line);
        out += "\r\n";
    }
    return out;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines << text.mid(start);
    }
    return lines;
}

Result<QString> ReadTextFile(const QString& path, qint64 maxBytes) {
    // Only a regular file of a sensible size is read: a FIFO would block the
    // program at its open, and a device such as /dev/zero never ends.
    const QFileInfo found(path);
    if (found.exists() && !found.isFile()) {
        return Error{ErrorKind::Unreadable,
                     QStringLiteral("Path/File access error (not a regular file)"), kErrAccess};
    }
    if (found.exists() && found.size() > maxBytes) {
        return Error{ErrorKind::Unreadable,
                     QStringLiteral("Path/File access error (larger than %1 bytes)").arg(maxBytes),
                     kErrAccess};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QFileInfo info(path);
        if (!info.dir().exists()) {
            return Error{ErrorKind::NotFound, QStringLiteral("Path not found"), kErrPathNotFound};
        }
        if (!info.exists()) {
            return Error{ErrorKind::NotFound, QStringLiteral("File not found"), kErrFileNotFound};
        }
        return Error{ErrorKind::Unreadable,
                     QStringLiteral("Path/File access error (%1)").arg(file.errorString()),
                     kErrAccess};
    }
    const QString text = DecodeWindows1252(file.readAll());
    if (file.error() != QFileDevice::NoError) {
        return Error{ErrorKind::Unreadable,
                     QStringLiteral("Device I/O error (%1)").arg(file.errorString()), kErrDeviceIo};
    }
    return text;
}

} // namespace quillon
