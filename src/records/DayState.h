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
    // The comment a day file begins with when an append creates it: the
    // calibration the day is recorded with. The command line tools set it;
    // the operator program writes it itself at each start and each new day.
    QString NewFileComment;
};

} // namespace quillon
