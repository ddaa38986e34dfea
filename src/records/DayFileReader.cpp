// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DayFileReader.h"

#include "records/DayFileHeader.h"
#include "records/WholeRecords.h"

#include "util/Format.h"
#include "util/ItemReader.h"
#include "util/TextFile.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace quillon {

namespace {
QString FirstField(const QString& line) {
    ItemReader reader(line);
    return reader.Next().value_or(QString());
}
} // namespace

int CommentLineCount(const QString& tagLine) {
    const QString line = tagLine.trimmed();
    if (line.endsWith(u'"')) {
        return 1;
    }
    // The whole count after the last comma: a record of 120 lines that
    // another program wrote is 120 lines, not 20.
    const QString count = line.mid(line.lastIndexOf(u',') + 1).trimmed();
    // A count is digits only: a sign or any other character makes the
    // record unreadable, so that no count can send the reader backwards.
    if (count.isEmpty() ||
        !std::all_of(count.begin(), count.end(), [](QChar c) { return c.isDigit(); })) {
        return -1;
    }
    bool ok = false;
    const int lines = count.toInt(&ok);
    return ok ? lines : -1; // beyond any int: no count this reader can use
}

namespace {

// The tags that open a record.
bool IsRecordTag(const QString& tag) {
    return tag == QLatin1String("COMMENT") || tag == QLatin1String("ERROR") ||
           tag == QLatin1String("STDLAMP") || tag == QLatin1String("HGLAMP") ||
           tag == QLatin1String("OBS");
}

} // namespace

bool StartsRecord(const QString& line) {
    const QStringView t = QStringView(line).trimmed();
    if (t.isEmpty()) {
        return false;
    }
    if (t.startsWith(u'"')) {
        // A quoted tag opens a record only when the quoted text is the tag
        // and the record's other fields follow it. A line that is one
        // quoted text alone is a comment's text, whatever the operator
        // typed: a comment "ERROR" is a comment, never a record.
        const qsizetype close = t.indexOf(u'"', 1);
        return close > 1 && IsRecordTag(t.mid(1, close - 1).toString()) && close + 1 < t.size() &&
               t[close + 1] == u',';
    }
    return IsRecordTag(FirstField(line));
}

int RecordLineCount(const QString& tagLine) {
    const QString tag = FirstField(tagLine);
    if (tag == QLatin1String("COMMENT") || tag == QLatin1String("ERROR")) {
        const int count = CommentLineCount(tagLine);
        return count < 0 ? -1 : 1 + count;
    }
    if (tag == QLatin1String("STDLAMP") || tag == QLatin1String("HGLAMP")) {
        return 4;
    }
    return tag == QLatin1String("OBS") ? 2 : -1;
}

qint64 DayFileWholeLength(const QByteArray& contents) {
    return RecordsWholeLength(contents, 5, [](const QString& line) {
        return StartsRecord(line) ? RecordLineCount(line) : -1;
    });
}

namespace {

// The records after a day file's header, read one by one into `out`.
class RecordReader {
public:
    RecordReader(const QStringList& lines, DayFileContents& out) : lines_(lines), out_(out) {}

    void ReadAll() {
        qsizetype i = 5;
        while (i < lines_.size()) {
            const QString tag = FirstField(lines_[i]);
            if (tag == QLatin1String("COMMENT") || tag == QLatin1String("ERROR")) {
                i = Comment(i, tag);
            } else if (tag == QLatin1String("STDLAMP") || tag == QLatin1String("HGLAMP")) {
                i = TakeLines(i, 3, tag);
            } else if (tag == QLatin1String("OBS")) {
                i = Observation(i);
            } else {
                i += 1;
            }
        }
    }

private:
    void Unreadable(qsizetype index, const QString& why) {
        out_.problems << QStringLiteral("The record on line %1 cannot be read: ").arg(index + 1) +
                             why;
    }

    // Takes up to `count` lines after the record's first, stopping at a
    // line that opens the next record. Always moves forward.
    qsizetype TakeLines(qsizetype at, int count, const QString& tag) {
        qsizetype next = at + 1;
        int taken = 0;
        while (taken < count && next < lines_.size() && !StartsRecord(lines_[next])) {
            ++next;
            ++taken;
        }
        if (taken < count) {
            Unreadable(at, tag + QStringLiteral(" record declares %1 lines, %2 follow it.")
                                     .arg(count + 1)
                                     .arg(taken + 1));
        }
        return next;
    }

    qsizetype Comment(qsizetype at, const QString& tag) {
        const int count = CommentLineCount(lines_[at]);
        if (count < 0) {
            Unreadable(at, tag + QStringLiteral(" record with no line count."));
            return at + 1;
        }
        const qsizetype next = TakeLines(at, count, tag);
        for (qsizetype t = at + 1; t < next; ++t) {
            practiceFollows_ =
                practiceFollows_ || lines_[t].contains(QLatin1String("Fake Observation follows."));
        }
        return next;
    }

    qsizetype Observation(qsizetype at) {
        ItemReader reader(lines_[at]);
        reader.Next();
        DayObservation obs;
        obs.date = reader.Next().value_or(QString());
        obs.time = reader.Next().value_or(QString());
        obs.type = reader.Next().value_or(QString());
        bool ok = true;
        for (double& v : obs.values) {
            // Each value a finite number within single precision, the type
            // the record was written from: 1e39 or nan is no value.
            ok = ok && ParseNumberItem(reader.Next().value_or(QString()), &v) && std::isfinite(v) &&
                 std::fabs(v) <= std::numeric_limits<float>::max();
        }
        // The second line belongs to this record only when it does not
        // itself open a record: a torn OBS line must not hide the next.
        const bool secondLine = at + 1 < lines_.size() && !StartsRecord(lines_[at + 1]);
        obs.line2 = secondLine ? lines_[at + 1] : QString();
        const bool intercomparison = obs.type.startsWith(u'I') || obs.type.startsWith(u'U');
        if (intercomparison) {
            // Intercomparison sets have a layout of their own; the summary
            // leaves them out.
            if (!secondLine) {
                Unreadable(at, QStringLiteral("OBS record without its second line."));
            }
        } else if (!ok) {
            Unreadable(at, QStringLiteral("OBS record whose numbers are not all numbers."));
        } else if (!secondLine) {
            Unreadable(at, QStringLiteral("OBS record without its second line."));
        } else {
            obs.practice = practiceFollows_;
            out_.observations.append(obs);
        }
        practiceFollows_ = false; // a practice comment covers the next OBS only
        return at + (secondLine ? 2 : 1);
    }

    const QStringList& lines_;
    DayFileContents& out_;
    bool practiceFollows_ = false;
};

} // namespace

DayFileContents ReadDayFile(const QString& path, const QString& stationName,
                            DateTimeValue requestedDate) {
    DayFileContents out;
    const Result<QString> read = ReadTextFile(path, kMaxDayFileBytes);
    if (!read) {
        // A day without a file yet is normal; a file that is there but
        // cannot be read (a directory, no permission) is reported.
        const bool missing = !QFileInfo::exists(path);
        out.status = missing ? DayFileStatus::CannotOpen : DayFileStatus::Unreadable;
        out.message = QStringLiteral("The day file ") + path + QStringLiteral(" cannot be read: ") +
                      read.error().message;
        return out;
    }
    const QStringList lines = SplitLines(*read);
    const HeaderReading header = ReadDayFileHeader(lines, stationName);
    if (header.refused == HeaderRefusal::NotADataFile) {
        out.status = DayFileStatus::NotADataFile;
        out.message = QStringLiteral("This file:") + path + QStringLiteral(" is not a data file") +
                      u'\n' + QStringLiteral("First Line:") + header.shown;
        return out;
    }
    if (header.refused || header.day != DatePart(requestedDate)) {
        out.status = DayFileStatus::WrongDate;
        out.message = QStringLiteral("Date in file ") + path + QStringLiteral(" is ") +
                      header.shown + QStringLiteral(" not ") +
                      FormatDate(requestedDate, u"MM/DD/YYYY") + u'\n' +
                      QStringLiteral("Program will continue.");
        return out;
    }
    out.status = DayFileStatus::Ok;
    out.headerOnly = lines.size() <= 5;
    RecordReader(lines, out).ReadAll();
    return out;
}

} // namespace quillon
