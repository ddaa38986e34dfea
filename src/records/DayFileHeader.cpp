// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DayFileHeader.h"

#include "util/Format.h"
#include "util/ItemReader.h"

#include <algorithm>

namespace quillon {

namespace {

QString Shown(const QString& line) {
    ItemReader reader(line);
    QString field = reader.Next().value_or(QString()).left(80);
    std::replace_if(
        field.begin(), field.end(), [](QChar c) { return c.unicode() < 0x20 || c == u'\x7f'; },
        QChar(u'?'));
    return field;
}

} // namespace

HeaderReading ReadDayFileHeader(QStringList lines, const QString& stationName) {
    HeaderReading header;
    // The byte-order mark as the station's Windows-1252 reading sees it.
    const QString bom = QStringLiteral("\u00EF\u00BB\u00BF");
    if (!lines.isEmpty() && lines[0].startsWith(bom)) {
        lines[0].remove(0, bom.size());
    }
    header.shown = lines.isEmpty() ? QString() : Shown(lines[0]);
    ItemReader first(lines.isEmpty() ? QString() : lines[0]);
    const QString name = first.Next().value_or(QString());
    if (name != stationName && name != QLatin1String("DAILY DATA FILE")) {
        header.refused = HeaderRefusal::NotADataFile;
        return header;
    }
    header.shown = lines.size() > 2 ? Shown(lines[2]) : QString();
    ItemReader third(lines.size() > 2 ? lines[2] : QString());
    if (!ParseMdy(third.Next().value_or(QString()), &header.day)) {
        header.refused = HeaderRefusal::NoDate;
        return header;
    }
    header.hasData = std::any_of(lines.begin() + std::min<qsizetype>(5, lines.size()), lines.end(),
                                 [](const QString& line) { return !line.trimmed().isEmpty(); });
    return header;
}

QString RefusalReason(const HeaderReading& header) {
    if (header.refused == HeaderRefusal::NotADataFile) {
        return QStringLiteral("not a data file, first line: ") + header.shown;
    }
    if (header.refused == HeaderRefusal::NoDate) {
        return QStringLiteral("no date of the form MM/DD/YYYY on its third line: ") + header.shown;
    }
    return QString();
}

} // namespace quillon
