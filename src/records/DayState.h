// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/DateTimeValue.h"

#include <QString>

namespace quillon {

// The station's day: its local date, the day file's length as last written
// (a growth by another hand is noticed), and the day's summary lines shown
// on the main screen: ADDS, AD zenith, CDDS, CD zenith.
struct DayState {
    DateTimeValue LocalDate = 0;
    qint64 DayFileLength = 0;
    QString SummaryADDS;
    QString SummaryADZenith;
    QString SummaryCDDS;
    QString SummaryCDZenith;
};

} // namespace quillon
