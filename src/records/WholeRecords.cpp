// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/WholeRecords.h"

#include <QList>

namespace quillon {

qint64 RecordsWholeLength(const QByteArray& contents, int headerLines,
                          const RecordLines& recordLines) {
    // Each line with the offset just past its line end; a last line without
    // one is the torn end of an append and never whole.
    QList<qint64> ends;
    QStringList lines;
    qint64 start = 0;
    for (qint64 at = contents.indexOf('\n'); at >= 0; at = contents.indexOf('\n', at + 1)) {
        lines << QString::fromLatin1(contents.mid(start, at - start)).trimmed();
        ends << at + 1;
        start = at + 1;
    }
    const qsizetype n = lines.size();
    if (n < headerLines || n == 0) {
        return n == 0 ? 0 : ends.last(); // a header torn short: to its last line
    }
    // The header is the first record; after it, a record is whole when all
    // its lines are there and none of them opens another record. A complete
    // line outside any record (one this reader does not understand) is
    // kept: only a record cut short at the end, with the lines it has, is
    // the torn tail of an append.
    qint64 whole = headerLines > 0 ? ends[headerLines - 1] : 0;
    qsizetype i = headerLines;
    while (i < n) {
        const int count = recordLines(lines[i]);
        if (count <= 0) {
            whole = ends[i]; // a whole line of no record
            ++i;
            continue;
        }
        bool complete = i + count <= n;
        for (qsizetype k = i + 1; complete && k < i + count; ++k) {
            complete = recordLines(lines[k]) <= 0;
        }
        if (complete) {
            whole = ends[i + count - 1];
            i += count;
            continue;
        }
        // Torn: its lines up to the next record's tag go with it, unless a
        // whole record after them keeps them.
        for (++i; i < n && recordLines(lines[i]) <= 0; ++i) {
        }
    }
    return whole;
}

QList<RecordSpan> RecordSpans(const QStringList& lines, qsizetype from,
                              const RecordLines& recordLines) {
    QList<RecordSpan> out;
    const qsizetype n = lines.size();
    qsizetype i = from;
    while (i < n) {
        const int count = recordLines(lines[i]);
        if (count <= 0) {
            ++i; // junk between records
            continue;
        }
        bool complete = i + count <= n;
        for (qsizetype k = i + 1; complete && k < i + count; ++k) {
            complete = recordLines(lines[k]) <= 0;
        }
        if (!complete) {
            out.append({i, 0}); // torn: the next tag starts afresh
            ++i;
            continue;
        }
        out.append({i, count});
        i += count;
    }
    return out;
}

int HgHistoryRecordLines(const QString& line) {
    return line.trimmed().startsWith(QLatin1String("HGLAMP,")) ? 4 : -1;
}

int LampHistoryRecordLines(const QString& line) {
    return line.trimmed().startsWith(QLatin1String("\"STDLAMP\",")) ? 4 : -1;
}

} // namespace quillon
