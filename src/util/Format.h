// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/DateTimeValue.h"

#include <QString>
#include <QStringView>

namespace quillon {

// The one place where numbers and dates become text. Every record line and
// label of the program uses these pictures, because the day files and
// summaries are read back by other programs column by column.
//
// Number pictures, as the file layouts state the columns: "0" a digit that is
// always shown, "#" a digit shown only when significant, "." the decimal
// point, "," thousands grouping, anything else literal; up to three sections
// separated by ";" for positive, negative and zero values. Rounding is half
// away from zero on the decimal value (123.45 gives 123.5 with one decimal).
// A negative value with a one-section picture gets its "-" in front of the
// whole result, literals included ("- 9.999" for -9.999 in " ##0.000").
QString FormatNumber(double value, QStringView picture);

// Date pictures: "MM/DD/YYYY", "HH:MM:SS", "hhmmss", "DD MMM YYYY", "YY",
// "DD", "MM". "MM" right after an hour is minutes, elsewhere the month.
QString FormatDate(DateTimeValue value, QStringView picture);

// A number converted to text without a picture: up to 15 significant digits
// (7 for single precision), no leading zero before the point, and a leading
// blank when the value is not negative (" 83", "-2.5", " .5").
QString Str(double value);
QString StrSingle(float value);

// Text padded with blanks on the right (or cut) to exactly `width` characters.
QString PadRight(const QString& text, int width);

// The printer column rule of the summary file: pads `line` with blanks so the
// next text starts at 1-based column `column` (one blank when already past).
void TabTo(QString& line, int column);

} // namespace quillon
