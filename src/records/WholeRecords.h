// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace quillon {

// The files of records (day file, mercury and lamp histories, CDA file) are
// read and repaired the same way: a record opens with a tag line that says
// how many lines the record has, and is whole when all of them are there
// and none of them opens another record.

// Lines of the record that `line` opens (the tag line included), or -1 when
// it opens none.
using RecordLines = std::function<int(const QString& line)>;

// How many leading bytes of `contents` are its `headerLines` header lines
// and whole records; the repair of a torn append cuts the file back to it.
// A header torn short is kept to its last complete line.
qint64 RecordsWholeLength(const QByteArray& contents, int headerLines,
                          const RecordLines& recordLines);

// One record of a history read back: its lines, or the reason it was
// skipped.
struct RecordSpan {
    qsizetype first = 0; // index of its tag line
    int count = 0;       // its lines when whole, 0 when torn
};

// The records of `lines` from `from` on, each whole or torn (a tag line
// whose record is cut short by the next tag or the end): the reader takes
// the whole ones and resynchronises on the next tag after a torn one.
QList<RecordSpan> RecordSpans(const QStringList& lines, qsizetype from,
                              const RecordLines& recordLines);

// The four-line records of the mercury history ("HGLAMP,…") and of the
// standard lamp history ("\"STDLAMP\",…").
int HgHistoryRecordLines(const QString& line);
int LampHistoryRecordLines(const QString& line);

} // namespace quillon
