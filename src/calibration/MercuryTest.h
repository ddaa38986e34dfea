// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"
#include "records/DayFile.h"
#include "records/DayState.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <QStringList>
#include <array>
#include <optional>

namespace quillon {

// The mercury lamp test: with the ground quartz plate and the mercury lamp
// on the inlet window, the operator finds the two Q1 positions where the
// photomultiplier current falls to half its peak (upper and lower), up to
// five times, and reads the instrument temperature before and after. The
// mean of the Q1 positions is compared with the Q-table's Hg setting at the
// mean temperature. Everything here is plain logic: the screen `Hgtest`
// and `quillon-cli hgtest` show and ask.

// What the operator typed: box i of the ten reading boxes is the upper
// point of pair i/2 when i is even, the lower point when odd; an empty box
// counts as 0. A temperature not typed yet is empty.
struct MercuryEntries {
    std::array<double, 10> boxes{};
    std::optional<double> startTemperature;
    std::optional<double> endTemperature;
};

enum class MercuryWarning {
    None,
    BigTempDiff, // start and end more than 1.0 degree apart
    HighVar,     // two uppers or two lowers more than 0.5 apart
    Hgdiff,      // mean separation of upper and lower outside 5 to 12
};

struct MercuryEvaluation {
    MercuryWarning warning = MercuryWarning::None;
    int upperCount = 0; // non-zero upper readings
    int lowerCount = 0;
    int pairs = 0; // n, when both counts agree
    // The readings with each pair's larger value in the upper row; the
    // boxes are rewritten with them ("##.00").
    std::array<double, 10> boxes{};
    bool temperaturesAccepted = false;
    double averageTemperature = 0;
    double tableValue = 0; // 0 until both temperatures are accepted
    bool hasAverage = false;
    double testAverage = 0;
    double separation = 0;
    bool hasDifference = false;
    double difference = 0; // test average minus table value
    // Done(Save) may be enabled: five pairs, or three or four pairs whose
    // uppers all agree and whose lowers all agree, with both temperatures.
    bool complete = false;
};

// The range a reading box accepts, and a temperature box.
bool MercuryReadingInRange(double value);     // 30 to 120
bool MercuryTemperatureInRange(double value); // -5 to 40

// The number a box holds: blanks around it ignored, and text that is no
// number reads as 0 (the keys let only digits and one point in).
double MercuryBoxNumber(const QString& text);

// Enter on a box: its value, or the message to show under the form (and
// whether the box is emptied: a value out of range is).
struct MercuryBoxEntry {
    std::optional<double> value;
    QString message;
    bool clearBox = false;
};
MercuryBoxEntry CheckMercuryReading(const QString& text);
MercuryBoxEntry CheckMercuryTemperature(const QString& text);

// The form's entries from its boxes: ten readings (upper, lower by pair)
// and the temperatures, which are not entered while their box is empty.
MercuryEntries MercuryEntriesFrom(const std::array<QString, 10>& readings, const QString& start,
                                  const QString& end);

// The average temperature and table value of two temperatures; the
// BigTempDiff warning when they are more than 1.0 apart.
MercuryEvaluation UpdateTemperatures(const Calibration& calibration, double start, double end);

// The whole evaluation of the entries, as each Enter and Accept runs it.
MercuryEvaluation EvaluateReadings(const Calibration& calibration, const MercuryEntries& entries);

// The verdict of a saved test: |difference| below 0.3 passes (0.3 fails).
bool MercuryTestPasses(double difference);

// The dialogs' texts, by warning, and of the verdict (pass or fail).
struct MercuryDialogText {
    QString name; // "HighVar", "Hgpass", ...
    QString title;
    QStringList lines;
};
MercuryDialogText WarningText(MercuryWarning warning, const MercuryEvaluation& evaluation);
MercuryDialogText VerdictText(double difference);

// The caption of the test screen, and the initials prompt's lines.
QString MercuryCaption(const StationSetup& setup, const QString& initials, DateTimeValue localNow);
QStringList MercuryInitialsLines(const Calibration& calibration);
QStringList MercuryInstructionLines();

// The history file of the instrument's mercury tests.
QString MercuryHistoryPath(const StationSetup& setup);

// Done(Save), in this order: the four-line HGLAMP record to the history
// file (the test's record), the same four lines to the day file, then the
// last mercury test date in inst.cfg and the shared state. False, with the
// operator told, only when the history could not be written (nothing was
// saved); once the history holds the test it is saved, and a failure of
// the day file or inst.cfg is told. The record carries `savedUtc` (the
// moment of Done(Save)), or the clock's time.
bool SaveMercuryTest(const StationSetup& setup, DayState& day, Calibration& calibration,
                     const Clock& clock, OperatorMessages& messages,
                     const MercuryEvaluation& evaluation, const MercuryEntries& entries,
                     std::optional<DateTimeValue> savedUtc = std::nullopt);

} // namespace quillon
