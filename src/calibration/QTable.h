// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"
#include "records/DayState.h"
#include "util/Answers.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"
#include "util/Result.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

namespace quillon {

// The Q-table: the Q-lever settings at 15 degrees C of the A, C and D pairs
// and the mercury 3129 line, from which every lever setting is derived. The
// review of the last mercury tests, the adjustment of the table by one
// value spread over the four settings, and the printable Q setting table.

// One mercury test of the history: its date and its test-minus-table
// difference, in single precision: the review compares it with the limit
// 0.3 as a float, so a stored 0.30 is out of the limits.
struct HgHistoryEntry {
    QString date;
    float difference = 0;
};

struct HgHistory {
    int count = 0;              // records read
    QList<HgHistoryEntry> last; // the last three, oldest first
    bool found = false;         // the file could be read
    QStringList problems;       // what was skipped, and why, by file and line
};

// Reads the mercury test history, record by record (four lines each from
// an "HGLAMP" line); a record cut short or whose difference is no number
// is skipped and named in `problems`, as is a file that cannot be read.
// `onRecord` sees each test as it is read.
HgHistory ReadHgHistory(const QString& path,
                        const std::function<void(const HgHistoryEntry&)>& onRecord = {});

// The review's lines, as the initials prompt shows them: the count line,
// one "Date: ... Difference: ... in limits." line per kept test, the
// out-of-limits line. `outOfLimits` receives that count.
struct QReview {
    QString countLine;
    QStringList testLines;
    QString outLine;
    int outOfLimits = 0;
    QStringList problems; // the history's skipped records, named
};
QReview ReviewLines(const HgHistory& history);

// The adjustment's limits: -3.5 to 3.5 Hg divisions.
bool AdjustmentInRange(double value);

// Enter on "Inqadj": the adjustment, or the message to show (and whether
// the box is emptied: a value too large is).
struct AdjustmentEntry {
    std::optional<float> value;
    QString message;
    bool clearBox = false;
};
AdjustmentEntry CheckAdjustment(const QString& text);

// "+" or "-" typed into a value: the same number with that sign ("-" on
// "2.5" gives "-2.5", "+" on "-2.5" gives "+2.5").
QString AdjustmentSignKey(const QString& text, QChar sign);

// The four settings after an adjustment, always from the table in use.
struct QSettings15 {
    double a = 0;
    double c = 0;
    double d = 0;
    double hg = 0;
};
QSettings15 AdjustedSettings(const Calibration& calibration, float adjustment);

// Accept: inst.cfg kept as instcfg.bak, the new table written atomically
// with today's local date as its date, `calibration` replaced by the new
// one, and the two comment records signed with `initials`. False, with the
// operator told and nothing changed, when a file could not be written.
bool AcceptQTableChange(const StationSetup& setup, DayState& day, Calibration& calibration,
                        const QString& initials, const Clock& clock, OperatorMessages& messages,
                        float adjustment);

// The two comment texts of an accepted change.
QStringList QTableChangeComments(const Calibration& calibration, const QString& initials,
                                 float adjustment);

// Rounding of the printed table: to the nearest 0.05, .x2 and .x7 down,
// .x3 and .x8 up, worked on the decimal value.
double TableRounding(double x);

// The Q setting table: its path (data directory, "Q" + the day file's base
// name + "." + instrument number) and its lines.
QString QTablePath(const StationSetup& setup, DateTimeValue localNow);
QStringList QSettingTableLines(const StationSetup& setup, const Calibration& calibration,
                               DateTimeValue localNow);
Result<void> WriteQSettingTable(const StationSetup& setup, const Calibration& calibration,
                                const QString& path, DateTimeValue localNow);

// "Print a Q setting table based on existing parameters": the screen names
// the file it will write; the table is written when the operator goes on.
class PrintQTableScreens {
public:
    virtual ~PrintQTableScreens() = default;
    virtual ContinueOrEscape ConfirmTableFile(const QString& path) = 0;
};

// The whole print from the menu: the file named, then written (a failure
// told to the operator). True when the table was written.
bool PrintQTable(const StationSetup& setup, const Calibration& calibration, const Clock& clock,
                 OperatorMessages& messages, PrintQTableScreens& screens);

} // namespace quillon
