// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DayFileList.h"

#include "records/DayFileHeader.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace quillon {

namespace {
// What a day file's header usually fits in, read at a time.
constexpr qint64 kHeaderBytes = 64 * 1024;
} // namespace

double DayFileSortKey(const QString& name) {
    // "D" + YY + DDD: the day's date, years 80 to 99 of the 1900s (the
    // instrument's records start then) and the others of the 2000s, so
    // that D99365 (31 December 1999) comes before D26342.
    const QString digits = name.mid(1, 5);
    bool ok = digits.size() == 5 &&
              std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
    if (ok) {
        const int yy = digits.left(2).toInt();
        const int year = yy >= 80 ? 1900 + yy : 2000 + yy;
        return year * 1000.0 + digits.mid(2).toInt(&ok);
    }
    // Any other name after every dated one, by the number it holds.
    const QString rest = name.mid(1);
    qsizetype end = 0;
    bool point = false;
    while (end < rest.size() && (rest[end].isDigit() || (rest[end] == u'.' && !point))) {
        point = point || rest[end] == u'.';
        ++end;
    }
    return 1e7 + rest.left(end).toDouble();
}

DayFileList ListDayFiles(const QString& directory, const QString& extension,
                         const QString& stationName) {
    DayFileList out;
    QDir dir(directory);
    const QStringList names = dir.entryList({QStringLiteral("D*.") + extension}, QDir::Files);
    out.matched = static_cast<int>(names.size());
    for (const QString& name : names) {
        // Only regular files, after following links: opening a FIFO (or a
        // link to one) would wait for a writer that never comes.
        const QFileInfo info(dir.filePath(name));
        if (!info.isFile()) {
            out.unreadable << name + QStringLiteral(" (not a regular file)");
            continue;
        }
        if (info.size() > kMaxDayFileBytes) {
            out.unreadable << name +
                                  QStringLiteral(" (larger than %1 bytes)").arg(kMaxDayFileBytes);
            continue;
        }
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            out.unreadable << name + QStringLiteral(" (") + file.errorString() + u')';
            continue;
        }
        // The header and the line after it: read until six lines have
        // ended, whatever their ending (CR LF counts twice), or the file
        // has; a header line of any length is read whole, as the day's own
        // reader reads it.
        QByteArray start;
        qsizetype endings = 0;
        while (endings < 12 && !file.atEnd() && file.error() == QFileDevice::NoError) {
            const QByteArray chunk = file.read(kHeaderBytes);
            endings += chunk.count('\n') + chunk.count('\r');
            start += chunk;
        }
        if (file.error() != QFileDevice::NoError) {
            out.unreadable << name + QStringLiteral(" (") + file.errorString() + u')';
            continue;
        }
        const HeaderReading header =
            ReadDayFileHeader(SplitLines(DecodeWindows1252(start)), stationName);
        if (header.refused) {
            out.unreadable << name + QStringLiteral(" (") + RefusalReason(header) + u')';
            continue;
        }
        if (header.hasData) {
            out.entries.append({name, FormatDate(header.day, u"MM/DD/YYYY"), info.size()});
        }
    }
    std::stable_sort(out.entries.begin(), out.entries.end(),
                     [](const DayFileEntry& a, const DayFileEntry& b) {
                         return DayFileSortKey(a.name) < DayFileSortKey(b.name);
                     });
    const QString unreadable =
        out.unreadable.isEmpty()
            ? QString()
            : QStringLiteral("\nCould not read: ") + out.unreadable.join(QStringLiteral(", "));
    if (out.matched == 0) {
        out.message = QStringLiteral("No DayFiles found in:") + directory + u'\n' +
                      QStringLiteral(" Try another disk or directory.");
        out.title = QStringLiteral("No Dayfiles");
    } else if (out.entries.isEmpty()) {
        out.message = QStringLiteral("No DayFiles with data found in:") + directory + u'\n' +
                      QStringLiteral(" Try another disk or directory.") + unreadable;
        out.title = QStringLiteral("No Data in DayFiles");
    }
    return out;
}

} // namespace quillon
