// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/DateTimeValue.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quillon {

// Why a file's header is refused.
enum class HeaderRefusal {
    NotADataFile, // the first line names neither the station nor "DAILY DATA FILE"
    NoDate,       // the third line holds no date of the form MM/DD/YYYY
};

// The five lines a day file begins with: the station's name (or "DAILY
// DATA FILE" in files of the earliest programs), the instrument, the day's
// date, the time the file was opened and the card line.
struct HeaderReading {
    std::optional<HeaderRefusal> refused;
    // The first field of the line refused, or of the date line: at most 80
    // characters (a file of another kind may hold one line of megabytes),
    // control characters shown as '?'.
    QString shown;
    DateTimeValue day = 0; // the date of the third line
    bool hasData = false;  // a line after the header holds something
};

// The one reading of a header, for the day's own reader and the list of
// days alike, so that both take and refuse the same files. `lines` are the
// file's first lines as SplitLines gives them (CR LF, LF or CR alone); a
// UTF-8 byte-order mark that an editor put before the first line is no part
// of the station's name.
HeaderReading ReadDayFileHeader(QStringList lines, const QString& stationName);

// The refusal as a short reason: "not a data file (first line: ...)".
QString RefusalReason(const HeaderReading& header);

} // namespace quillon
