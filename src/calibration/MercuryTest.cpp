// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/MercuryTest.h"

#include "calibration/CalibrationChange.h"

#include "config/InstCfg.h"
#include "ozone/OzoneCalc.h"
#include "records/WholeRecords.h"
#include "util/DecimalCompare.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

double Spread(const std::array<double, 5>& row, int n) {
    const auto [low, high] = std::minmax_element(row.begin(), row.begin() + n);
    return *high - *low;
}

bool AllEqual(const std::array<double, 5>& row, int n) {
    return !DecimalAbove(Spread(row, n), 0.0);
}

} // namespace

bool MercuryReadingInRange(double value) {
    return !DecimalAbove(value, 120.0) && !DecimalBelow(value, 30.0);
}

bool MercuryTemperatureInRange(double value) {
    return !DecimalAbove(value, 40.0) && !DecimalBelow(value, -5.0);
}

double MercuryBoxNumber(const QString& text) {
    return text.trimmed().toDouble();
}

namespace {
MercuryBoxEntry CheckBox(const QString& text, const QString& emptyMessage,
                         bool (*inRange)(double)) {
    if (text.trimmed().isEmpty()) {
        return {std::nullopt, emptyMessage, false};
    }
    const double value = MercuryBoxNumber(text);
    if (!inRange(value)) {
        return {std::nullopt, text + QStringLiteral(" is out of range. "), true};
    }
    return {value, QString(), false};
}
} // namespace

MercuryBoxEntry CheckMercuryReading(const QString& text) {
    return CheckBox(text, QStringLiteral("Enter Reading or Press Escape"), MercuryReadingInRange);
}

MercuryBoxEntry CheckMercuryTemperature(const QString& text) {
    return CheckBox(text, QStringLiteral("Enter Temperature or Press Escape"),
                    MercuryTemperatureInRange);
}

MercuryEntries MercuryEntriesFrom(const std::array<QString, 10>& readings, const QString& start,
                                  const QString& end) {
    MercuryEntries e;
    for (size_t i = 0; i < readings.size(); ++i) {
        e.boxes[i] = MercuryBoxNumber(readings[i]);
    }
    if (!start.trimmed().isEmpty()) {
        e.startTemperature = MercuryBoxNumber(start);
    }
    if (!end.trimmed().isEmpty()) {
        e.endTemperature = MercuryBoxNumber(end);
    }
    return e;
}

MercuryEvaluation UpdateTemperatures(const Calibration& calibration, double start, double end) {
    MercuryEvaluation out;
    if (DecimalAbove(std::fabs(end - start), 1.0)) {
        out.warning = MercuryWarning::BigTempDiff;
        return out;
    }
    out.temperaturesAccepted = true;
    out.averageTemperature = (start + end) / 2.0;
    if (out.averageTemperature == 0.0) {
        out.averageTemperature = 0.005;
    }
    out.tableValue = QSetHg(calibration, out.averageTemperature);
    return out;
}

MercuryEvaluation EvaluateReadings(const Calibration& calibration, const MercuryEntries& entries) {
    MercuryEvaluation out;
    if (entries.startTemperature && entries.endTemperature) {
        out = UpdateTemperatures(calibration, *entries.startTemperature, *entries.endTemperature);
    }
    out.boxes = entries.boxes;
    std::array<double, 5> upper{};
    std::array<double, 5> lower{};
    for (int k = 0; k < 5; ++k) {
        upper[k] = entries.boxes[2 * k];
        lower[k] = entries.boxes[2 * k + 1];
        out.upperCount += upper[k] != 0.0 ? 1 : 0;
        out.lowerCount += lower[k] != 0.0 ? 1 : 0;
    }
    if (out.upperCount == 0 || out.lowerCount == 0 || out.upperCount != out.lowerCount) {
        return out;
    }
    const int n = out.upperCount;
    out.pairs = n;
    double sumUpper = 0;
    double sumLower = 0;
    for (int k = 0; k < n; ++k) {
        // The larger value of a pair is the upper point, however typed.
        if (lower[k] > upper[k]) {
            std::swap(lower[k], upper[k]);
        }
        out.boxes[2 * k] = upper[k];
        out.boxes[2 * k + 1] = lower[k];
        sumUpper += upper[k];
        sumLower += lower[k];
    }
    if (n > 1 && (DecimalAbove(Spread(upper, n), 0.5) || DecimalAbove(Spread(lower, n), 0.5))) {
        if (out.warning == MercuryWarning::None) {
            out.warning = MercuryWarning::HighVar;
        }
        return out;
    }
    out.hasAverage = true;
    out.testAverage = (sumUpper + sumLower) / (2.0 * n);
    out.separation = std::fabs(sumLower - sumUpper) / n;
    if (DecimalAbove(out.separation, 12.0) || DecimalBelow(out.separation, 5.0)) {
        if (out.warning == MercuryWarning::None) {
            out.warning = MercuryWarning::Hgdiff;
        }
        return out;
    }
    if (out.tableValue != 0.0) {
        out.hasDifference = true;
        out.difference = out.testAverage - out.tableValue;
    }
    if (n == 5) {
        out.complete = out.tableValue != 0.0;
    } else if (n >= 3) {
        out.complete = AllEqual(upper, n) && AllEqual(lower, n) && out.tableValue != 0.0;
    }
    return out;
}

bool MercuryTestPasses(double difference) {
    return DecimalBelow(std::fabs(difference), 0.3);
}

MercuryDialogText WarningText(MercuryWarning warning, const MercuryEvaluation& evaluation) {
    switch (warning) {
    case MercuryWarning::BigTempDiff:
        return {QStringLiteral("BigTempDiff"),
                QStringLiteral("Large Temperature difference between start and end."),
                {QStringLiteral("The start and end temperture should not be different  "),
                 QStringLiteral("than 1.0 degree.  The test is not reliable when the "),
                 QStringLiteral("instrument temperature is changing quickly.  If you "),
                 QStringLiteral("made a mistake in entering a number, re-enter the "),
                 QStringLiteral("number.  Otherwise, repeat the test when the "),
                 QStringLiteral("instrument is more temperature stable.")}};
    case MercuryWarning::HighVar:
        return {QStringLiteral("HighVar"),
                QStringLiteral("High Variation in Mercury test readings."),
                {QStringLiteral("The individual readings for the upper or lower half power "
                                "points should not vary more than 0.5 deg.")}};
    case MercuryWarning::Hgdiff:
        return {
            QStringLiteral("Hgdiff"),
            QStringLiteral("Warning -- Difference between upper and lower readings out of limits"),
            {QStringLiteral("This difference should be between 5 and 12, or very close to "
                            "7.4 if the exact half power points were used."),
             QStringLiteral("The difference between the upper and lower reading is:") +
                 FormatNumber(evaluation.separation, u"#0.00")}};
    case MercuryWarning::None:
        break;
    }
    return {};
}

MercuryDialogText VerdictText(double difference) {
    if (MercuryTestPasses(difference)) {
        return {QStringLiteral("Hgpass"),
                QStringLiteral("Test value close to existing table value."),
                {QStringLiteral("Existing table parameters used by the program are acceptable.")}};
    }
    return {QStringLiteral("Hgfail"),
            QStringLiteral("The test-table difference is greater than 0.3"),
            {QStringLiteral("Repeat the test over several more days.  If the difference "
                            "continues, change the table parameters using the Q table change "
                            "under the maintenance menu at the top level."),
             QStringLiteral("The test value differs from the table by:") +
                 FormatNumber(difference, u"+#0.00;-#0.00"),
             QStringLiteral("DO NOT CHANGE THE TABLE BASED ON ONE TEST!")}};
}

QString MercuryCaption(const StationSetup& setup, const QString& initials, DateTimeValue localNow) {
    return QStringLiteral("Mercury Test on instrument ") + setup.InstrumentId +
           QStringLiteral(" on ") + FormatDate(localNow, u"DD MMM/YYYY") + QStringLiteral(" By: ") +
           initials;
}

QStringList MercuryInitialsLines(const Calibration& calibration) {
    return {QStringLiteral("With the GROUND QUARTZ PLATE in place, put Mercury Lamp on the inlet "
                           "Window.  "),
            QStringLiteral("THE LAMP MUST BE WARMED UP FOR AT LEAST 5 MINUTES.  "),
            QStringLiteral("Start with the PMT selector switches fully Counterclockwise.  "),
            QStringLiteral("Set R-DIAL to 300 degrees.  "),
            QStringLiteral("Set Q2 lever for") + Str(calibration.Q15Hg) +
                QStringLiteral(" Reading."),
            QStringLiteral("Set Q1 for the value at the instrument temperature.  "),
            QStringLiteral(
                "With Microampmeter shunt fully clockwise, adjust the PMT selector switches"),
            QStringLiteral("and Q1 for a peak reading on the microampmeter between 15 and 20 "
                           "microamps.  "),
            QStringLiteral("This test can be performed with the results jotted down, "),
            QStringLiteral("and then entered into the program.  The temperature must be taken "),
            QStringLiteral("just before the start of the actual test, and directly after.")};
}

QStringList MercuryInstructionLines() {
    return {QStringLiteral(
                "Perform the Test by moving the Q1 lever first up (lower numbers), then down"),
            QStringLiteral("so the microampmeter reads approximately one half the peak reading."),
            QStringLiteral("Example: for a peak reading of approximately 19,"),
            QStringLiteral("move the Q1 lever for a reading of 10."),
            QStringLiteral(" ONCE THE ONE HALF CURRENT POINT IS SELECTED, IT MUST REPEATED "
                           "EXACTLY!"),
            QStringLiteral(
                "The test consists of 5 readings of the upper and lower Q1 position for the"),
            QStringLiteral("half current points on the microampmeter"),
            QStringLiteral("Enter the starting and ending instrument temperature to a 0.1 Deg C.")};
}

QString MercuryHistoryPath(const StationSetup& setup) {
    return setup.HistoryDir + QStringLiteral("hghist.") + setup.InstrumentId;
}

bool SaveMercuryTest(const StationSetup& setup, DayState& day, Calibration& calibration,
                     const Clock& clock, OperatorMessages& messages,
                     const MercuryEvaluation& evaluation, const MercuryEntries& entries,
                     std::optional<DateTimeValue> savedUtc) {
    const DateTimeValue local = LocalStandardTime(setup, savedUtc.value_or(clock.Now()));
    HgLampRecord record;
    record.local = local;
    record.startTemperature = entries.startTemperature.value_or(0.0);
    record.endTemperature = entries.endTemperature.value_or(0.0);
    for (int k = 0; k < 5; ++k) {
        if (k < evaluation.pairs) {
            record.upper[static_cast<size_t>(k)] = evaluation.boxes[static_cast<size_t>(2 * k)];
            record.lower[static_cast<size_t>(k)] = evaluation.boxes[static_cast<size_t>(2 * k + 1)];
        }
    }
    record.average = evaluation.testAverage;
    record.tableValue = evaluation.tableValue;
    record.difference = evaluation.testAverage - evaluation.tableValue;
    record.qTableDate = calibration.QTableDate;
    const QStringList lines = HgLampRecordLines(record);

    // The test's record is the history's: from there the test is saved.
    // The day file and the date in inst.cfg follow; a failure of either is
    // told, and the test is not saved a second time by a retry.
    Calibration updated = calibration;
    updated.LastHgTest = FormatDate(local, u"MM/DD/YYYY");
    bool recorded = false;
    const std::optional<CalibrationChangeFailure> failed = ChangeCalibration(
        &recorded,
        [&] {
            const auto wholeRecords = [](const QByteArray& contents) {
                return RecordsWholeLength(contents, 0, HgHistoryRecordLines);
            };
            Result<void> written =
                AppendRecord(MercuryHistoryPath(setup), CrLfLines(lines), wholeRecords);
            if (written) {
                AppendDayRecord(setup, day, clock, lines, messages); // says so itself on failure
            }
            return written;
        },
        {{InstCfgPath(setup), InstCfgText(setup, updated)}});
    if (failed && !failed->recorded) {
        messages.Show(QStringLiteral("Could not write to the mercury test history ") +
                          MercuryHistoryPath(setup) + QStringLiteral(": ") + failed->error.message +
                          u'\n' + QStringLiteral("The test was not saved."),
                      QStringLiteral("Mercury Test"));
        return false;
    }
    if (failed) {
        messages.Show(QStringLiteral("The test is saved in the mercury test history, but ") +
                          failed->path + QStringLiteral(" could not be rewritten: ") +
                          failed->error.message + u'\n' +
                          QStringLiteral("The date of the last mercury test stays ") +
                          calibration.LastHgTest + u'.',
                      QStringLiteral("Mercury Test"));
        return true;
    }
    calibration = updated;
    return true;
}

} // namespace quillon
