// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/DateTimeValue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace quillon {

// One OBS record read back from a day file.
struct DayObservation {
    QString date;
    QString time; // "HHMMSS"
    QString type;
    // Temperature, N1, N2, spread, mu, ozone, ozone spread.
    std::array<double, 7> values{};
    QString line2;
    // Preceded by the operator's "Fake Observation follows." comment.
    bool practice = false;
};

enum class DayFileStatus {
    Ok,
    CannotOpen,   // no message: the day simply has no file yet
    Unreadable,   // the file is there but cannot be read (message says why)
    NotADataFile, // first line is neither the station name nor "DAILY DATA FILE"
    WrongDate,    // the date on line 3 is not the requested day
};

struct DayFileContents {
    DayFileStatus status = DayFileStatus::CannotOpen;
    QString message;                    // the operator's message for a refused file
    bool headerOnly = false;            // the file ends after its five header lines
    QList<DayObservation> observations; // intercomparison records left out
    QStringList problems;               // one line per record that cannot be read
};

// Reads and validates a day file for the requested local date, skipping
// COMMENT, ERROR, STDLAMP, HGLAMP and intercomparison records.
DayFileContents ReadDayFile(const QString& path, const QString& stationName,
                            DateTimeValue requestedDate);

// Number of text lines of a COMMENT or ERROR tag line, read from its end:
// 1 when it ends in a quote, else the number after its last comma (this
// program writes at most 99 lines a record; another may have written more);
// -1 when that is not digits.
int CommentLineCount(const QString& tagLine);

// Whether a line opens a record. Comment and error texts are written in
// quotes, so an unquoted tag is a record's start even where an earlier
// record, torn short, declared more lines than it has.
bool StartsRecord(const QString& line);

// Lines of the record a tag line opens (the tag line included), -1 when
// the line opens no readable record.
int RecordLineCount(const QString& tagLine);

// How many leading bytes of a day file are its header and whole records:
// the repair of a torn append cuts the file back to this length.
qint64 DayFileWholeLength(const QByteArray& contents);

} // namespace quillon
