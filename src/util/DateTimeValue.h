// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

namespace quillon {

// Date-times travel through the program as a count of days since
// 30 December 1899: the whole part is the date, the fraction the time of day.
// This is the representation the station's day files and the sun formulas
// were written around, and it makes "clock - UtcOffsetHours / 24" exact.
using DateTimeValue = double;

struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

DateTimeValue DateSerial(int year, int month, int day);
DateTimeValue TimeSerial(int hour, int minute, int second);
DateTimeValue MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                           int second = 0);

// Splits a date-time into its calendar fields, rounded to the nearest second
// (a time that rounds up to 24:00:00 becomes midnight of the next day).
CivilDateTime SplitDateTime(DateTimeValue value);

// The date alone (whole days), as the integer part of the value.
DateTimeValue DatePart(DateTimeValue value);

// Day of the year, 1 to 366.
int DayOfYear(DateTimeValue value);

DateTimeValue FromQDateTime(const QDateTime& utc);
QDateTime ToQDateTime(DateTimeValue value);

// Parses "MM/DD/YYYY"; false when the text is not a valid calendar date.
bool ParseMdy(const QString& text, DateTimeValue* date);

// Parses "YYYY-MM-DDTHH:MM:SS" (UTC); false when it is not a valid instant.
bool ParseIsoDateTime(const QString& text, DateTimeValue* value);

} // namespace quillon
