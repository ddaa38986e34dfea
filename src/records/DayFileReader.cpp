#include "records/DayFileReader.h"

#include "util/Format.h"
#include "util/ItemReader.h"
#include "util/TextFile.h"

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
    const QString lastTwo = line.right(2);
    if (!lastTwo.contains(u',')) {
        return lastTwo.trimmed().toInt();
    }
    return line.right(1).toInt();
}

DayFileContents ReadDayFile(const QString& path, const QString& stationName,
                            DateTimeValue requestedDate) {
    DayFileContents out;
    QString text;
    FileError error;
    if (!ReadTextFile(path, &text, &error)) {
        out.status = DayFileStatus::CannotOpen;
        return out;
    }
    const QStringList lines = SplitLines(text);
    const QString first = lines.isEmpty() ? QString() : FirstField(lines[0]);
    if (first != stationName && first != QLatin1String("DAILY DATA FILE")) {
        out.status = DayFileStatus::NotADataFile;
        out.message = QStringLiteral("This file:") + path + QStringLiteral(" is not a data file") +
                      u'\n' + QStringLiteral("First Line:") + first;
        return out;
    }
    const QString fileDate = lines.size() > 2 ? FirstField(lines[2]) : QString();
    DateTimeValue parsed = 0;
    if (!ParseMdy(fileDate, &parsed) || parsed != DatePart(requestedDate)) {
        out.status = DayFileStatus::WrongDate;
        out.message = QStringLiteral("Date in file ") + path + QStringLiteral(" is ") + fileDate +
                      QStringLiteral(" not ") + FormatDate(requestedDate, u"MM/DD/YYYY") + u'\n' +
                      QStringLiteral("Program will continue.");
        return out;
    }
    out.status = DayFileStatus::Ok;
    out.headerOnly = lines.size() <= 5;
    qsizetype i = 5;
    while (i < lines.size()) {
        const QString& line = lines[i];
        const QString tag = FirstField(line);
        if (tag == QLatin1String("COMMENT") || tag == QLatin1String("ERROR")) {
            i += 1 + CommentLineCount(line);
        } else if (tag == QLatin1String("STDLAMP") || tag == QLatin1String("HGLAMP")) {
            i += 4;
        } else if (tag == QLatin1String("OBS")) {
            ItemReader reader(line);
            reader.Next();
            DayObservation obs;
            obs.date = reader.Next().value_or(QString());
            obs.time = reader.Next().value_or(QString());
            obs.type = reader.Next().value_or(QString());
            bool ok = true;
            for (double& v : obs.values) {
                ok = ok && ParseNumberItem(reader.Next().value_or(QString()), &v);
            }
            obs.line2 = i + 1 < lines.size() ? lines[i + 1] : QString();
            const bool intercomparison = obs.type.startsWith(u'I') || obs.type.startsWith(u'U');
            if (ok && !intercomparison) {
                out.observations.append(obs);
            }
            i += 2;
        } else {
            i += 1;
        }
    }
    return out;
}

} // namespace quillon
