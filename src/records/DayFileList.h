// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quillon {

// One day file of a directory that holds records beyond its header.
struct DayFileEntry {
    QString name;      // "D07097.083"
    QString date;      // from its third line, "MM/DD/YYYY"
    qint64 length = 0; // bytes (a long day passes 32,767)
};

// The day files of a directory for the browser of other days: the files
// named "D*." + `extension` (the station's own day-file extension), only
// those with data, oldest day first by the year and day in their names
// (D99365, 31 December 1999, before D07001). A file that cannot be read, or
// whose header the day's reader would refuse (another station's, one of
// another kind), is skipped and named with the reason, in the message too
// when nothing else is listed.
struct DayFileList {
    QList<DayFileEntry> entries;
    int matched = 0;        // files with the name pattern
    QStringList unreadable; // "NAME (reason)": files skipped, unreadable or refused
    // When nothing is listed: the operator's message and its title.
    QString message;
    QString title;
};
DayFileList ListDayFiles(const QString& directory, const QString& extension,
                         const QString& stationName);

// The sort key of a day file's name: its date as year x 1000 + day of the
// year (two-digit years 80 to 99 are 19xx).
double DayFileSortKey(const QString& name);

} // namespace quillon
