// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliCalibration.h"

#include "app/CliSupport.h"
#include "calibration/MercuryTest.h"
#include "calibration/QTable.h"
#include "util/Format.h"
#include "util/SystemClock.h"

namespace quillon::cli {

namespace {

bool ParseNumber(const QString& text, double* value) {
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*value);
}

// The initials as the prompt takes them: up to three capital letters.
bool TakeInitials(const QCommandLineParser& parser, StationState& vars, bool required) {
    QString initials;
    for (const QChar c : OptionValue(parser, QStringLiteral("initials"))) {
        if (c.isLetter() && c.unicode() < 128 && initials.size() < 3) {
            initials += c.toUpper();
        }
    }
    if (initials.isEmpty() && required) {
        Err() << "Please Enter Initials or Escape (--initials XX)" << Qt::endl;
        return false;
    }
    vars.settings.ObserverInitials = initials;
    return true;
}

} // namespace

int QTableCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("out"), QStringLiteral("file"), QStringLiteral("FILE")});
    if (!ParseCommand(parser, args) || !Positionals(parser).isEmpty()) {
        Err() << "Usage: quillon-cli qtable [--out FILE]" << Qt::endl;
        return kExitUsage;
    }
    if (!Load(vars, messages)) {
        return kExitStation;
    }
    SystemClock clock;
    const DateTimeValue local = LocalStandardTime(vars.setup, clock.Now());
    const QString path = parser.isSet(QStringLiteral("out"))
                             ? OptionValue(parser, QStringLiteral("out"))
                             : QTablePath(vars.setup, local);
    if (const Result<void> written = WriteQSettingTable(vars.setup, vars.calibration, path, local);
        !written) {
        Err() << "Could not write " << path << ": " << written.error().message << Qt::endl;
        return kExitRefused;
    }
    Out() << path << Qt::endl;
    return 0;
}

namespace {

// The entries as the screen's boxes take them, by the same rules: 0, or
// the exit status of the first that is refused, said on stderr.
int ReadMercuryEntries(const QCommandLineParser& parser, MercuryEntries& entries) {
    const QStringList temps = OptionValue(parser, QStringLiteral("temps")).split(u',');
    double start = 0;
    double end = 0;
    if (temps.size() != 2 || !ParseNumber(temps[0], &start) || !ParseNumber(temps[1], &end)) {
        Err() << "--temps takes two temperatures: START,END" << Qt::endl;
        return kExitUsage;
    }
    for (const auto& [text, value] : {std::pair{temps[0], start}, std::pair{temps[1], end}}) {
        if (!MercuryTemperatureInRange(value)) {
            Err() << text.trimmed() << " is out of range. " << Qt::endl;
            return kExitRefused;
        }
    }
    entries.startTemperature = start;
    entries.endTemperature = end;
    const QStringList pairs = OptionValue(parser, QStringLiteral("pairs")).split(u',');
    if (pairs.size() > 5) {
        Err() << "A mercury test has at most five pairs." << Qt::endl;
        return kExitUsage;
    }
    for (int k = 0; k < pairs.size(); ++k) {
        const QStringList pair = pairs[k].split(u'/');
        double upper = 0;
        double lower = 0;
        if (pair.size() != 2 || !ParseNumber(pair[0], &upper) || !ParseNumber(pair[1], &lower)) {
            Err() << "Each pair is UPPER/LOWER: " << pairs[k] << Qt::endl;
            return kExitUsage;
        }
        for (const auto& [text, value] : {std::pair{pair[0], upper}, std::pair{pair[1], lower}}) {
            if (!MercuryReadingInRange(value)) {
                Err() << text.trimmed() << " is out of range. " << Qt::endl;
                return kExitRefused;
            }
        }
        entries.boxes[static_cast<size_t>(2 * k)] = upper;
        entries.boxes[static_cast<size_t>(2 * k + 1)] = lower;
    }
    return 0;
}

} // namespace

int HgTestCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("temps"), QStringLiteral("start and end temperature"),
                      QStringLiteral("START,END")});
    parser.addOption({QStringLiteral("pairs"), QStringLiteral("upper/lower Q1 readings"),
                      QStringLiteral("U1/L1,U2/L2,...")});
    parser.addOption(
        {QStringLiteral("initials"), QStringLiteral("observer"), QStringLiteral("XX")});
    if (!ParseCommand(parser, args) || !Positionals(parser).isEmpty() ||
        !parser.isSet(QStringLiteral("temps")) || !parser.isSet(QStringLiteral("pairs"))) {
        Err() << "Usage: quillon-cli hgtest --temps START,END --pairs U1/L1,U2/L2[,...] "
                 "[--initials XX]"
              << Qt::endl;
        return kExitUsage;
    }
    MercuryEntries entries;
    if (const int refused = ReadMercuryEntries(parser, entries); refused != 0) {
        return refused;
    }
    if (!Load(vars, messages)) {
        return kExitStation;
    }
    if (!TakeInitials(parser, vars, false)) {
        return kExitUsage;
    }
    const MercuryEvaluation evaluation = EvaluateReadings(vars.calibration, entries);
    if (evaluation.warning != MercuryWarning::None) {
        const MercuryDialogText text = WarningText(evaluation.warning, evaluation);
        Err() << text.title << Qt::endl;
        for (const QString& line : text.lines) {
            Err() << line << Qt::endl;
        }
        return kExitRefused;
    }
    if (!evaluation.complete) {
        Err() << "The test is not complete: five pairs, or three or four pairs whose upper and "
                 "whose lower readings all agree."
              << Qt::endl;
        return kExitRefused;
    }
    SystemClock clock;
    if (!SaveMercuryTest(vars.setup, vars.day, vars.calibration, clock, messages, evaluation,
                         entries)) {
        return kExitRefused;
    }
    const MercuryDialogText verdict = VerdictText(evaluation.difference);
    Out() << "Test Average: " << FormatNumber(evaluation.testAverage, u"#0.00") << '\n'
          << "Table value: " << FormatNumber(evaluation.tableValue, u"###.##") << '\n'
          << "Difference: " << FormatNumber(evaluation.difference, u"+#0.00;-#0.00;0.00") << '\n'
          << verdict.title << '\n';
    for (const QString& line : verdict.lines) {
        Out() << line << '\n';
    }
    Out().flush();
    return 0;
}

int QReviewCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    if (!ParseCommand(parser, args) || !Positionals(parser).isEmpty()) {
        Err() << "Usage: quillon-cli qreview" << Qt::endl;
        return kExitUsage;
    }
    if (!Load(vars, messages)) {
        return kExitStation;
    }
    const QReview review = ReviewLines(ReadHgHistory(MercuryHistoryPath(vars.setup)));
    Out() << review.countLine << '\n';
    for (const QString& line : review.testLines) {
        Out() << line << '\n';
    }
    Out() << review.outLine << Qt::endl;
    for (const QString& problem : review.problems) {
        Err() << problem << '\n';
    }
    Err().flush();
    return 0;
}

int QAdjustCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("initials"), QStringLiteral("observer"), QStringLiteral("XX")});
    if (!ParseCommand(parser, args) || Positionals(parser).size() != 1) {
        Err() << "Usage: quillon-cli qadjust VALUE --initials XX" << Qt::endl;
        return kExitUsage;
    }
    const QString text = Positionals(parser).first();
    double value = 0;
    if (!ParseNumber(text, &value)) {
        Err() << "Enter Reading or Press Escape" << Qt::endl;
        return kExitUsage;
    }
    if (!AdjustmentInRange(value)) {
        Err() << text << " Too large. " << Qt::endl;
        return kExitRefused;
    }
    if (!Load(vars, messages)) {
        return kExitStation;
    }
    if (!TakeInitials(parser, vars, true)) {
        return kExitUsage;
    }
    SystemClock clock;
    if (!AcceptQTableChange(vars.setup, vars.day, vars.calibration, vars.settings.ObserverInitials,
                            clock, messages, static_cast<float>(value))) {
        return kExitRefused;
    }
    Out() << "A: " << FormatNumber(vars.calibration.Q15A, u"##.00") << '\n'
          << "C: " << FormatNumber(vars.calibration.Q15C, u"##.00") << '\n'
          << "D: " << FormatNumber(vars.calibration.Q15D, u"###.00") << '\n'
          << "Hg: " << FormatNumber(vars.calibration.Q15Hg, u"##.00") << '\n'
          << "Q table date: " << vars.calibration.QTableDate << Qt::endl;
    return 0;
}

} // namespace quillon::cli
