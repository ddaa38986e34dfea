// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/QTable.h"

#include "calibration/UnappliedChanges.h"

#include "calibration/CalibrationChange.h"

#include "config/InstCfg.h"
#include "ozone/OzoneCalc.h"
#include "records/DayFile.h"
#include "records/WholeRecords.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>
#include <charconv>
#include <cmath>

namespace quillon {

HgHistory ReadHgHistory(const QString& path,
                        const std::function<void(const HgHistoryEntry&)>& onRecord) {
    HgHistory out;
    const Result<QString> read = ReadTextFile(path);
    if (!read) {
        if (QFileInfo::exists(path)) {
            out.problems << path + QStringLiteral(" cannot be read: ") + read.error().message;
        }
        return out;
    }
    const QString& text = *read;
    out.found = true;
    const QStringList lines = SplitLines(text);
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    // Record by record from each HGLAMP line; a record cut short (a power
    // cut during its append) is skipped and named, and reading goes on at
    // the next HGLAMP line, so it never hides the record after it.
    for (const RecordSpan& span : RecordSpans(lines, 0, HgHistoryRecordLines)) {
        const QString where = path + QStringLiteral(" line %1: ").arg(span.first + 1);
        if (span.count == 0) {
            out.problems << where + QStringLiteral("a test cut short, skipped");
            continue;
        }
        const QString date = lines[span.first].section(u',', 1, 1).trimmed();
        const QStringList last = lines[span.first + 3].split(blanks, Qt::SkipEmptyParts);
        bool ok = last.size() >= 3;
        const double difference = ok ? last[2].toDouble(&ok) : 0.0;
        if (!ok || !std::isfinite(difference) || std::fabs(difference) >= 1e6) {
            out.problems << where + QStringLiteral("a test whose difference is no number, skipped");
            continue;
        }
        ++out.count;
        out.last.append({date, static_cast<float>(difference)});
        if (onRecord) {
            onRecord(out.last.last());
        }
        if (out.last.size() > 3) {
            out.last.removeFirst();
        }
    }
    return out;
}

QReview ReviewLines(const HgHistory& history) {
    QReview out;
    out.problems = history.problems;
    switch (history.count) {
    case 0:
        out.countLine = QStringLiteral("The program could not find any mercury test history.");
        break;
    case 1:
        out.countLine = QStringLiteral("There was one test in the file");
        break;
    case 2:
        out.countLine = QStringLiteral("There were two tests in the file:");
        break;
    default:
        out.countLine = QStringLiteral("The last three tests in the file:");
        break;
    }
    for (const HgHistoryEntry& entry : history.last) {
        // Single precision against the double 0.3: a stored 0.30 is out.
        const bool out3 = std::fabs(static_cast<double>(entry.difference)) > 0.3;
        out.outOfLimits += out3 ? 1 : 0;
        out.testLines << QStringLiteral("Date: ") + entry.date + QStringLiteral(" Difference: ") +
                             StrSingle(entry.difference) +
                             (out3 ? QStringLiteral(" OUT of limits!")
                                   : QStringLiteral(" in limits."));
    }
    static const char* const outLines[] = {
        "No tests out of the limits were found.", "Only one test out of the limits were found.",
        "Two tests were out of the limits", "All the last three tests were out of the limits."};
    out.outLine = QString::fromLatin1(outLines[std::min(out.outOfLimits, 3)]);
    return out;
}

bool AdjustmentInRange(double value) {
    return std::isfinite(value) && value <= 3.5 + 1e-9 && value >= -3.5 - 1e-9;
}

AdjustmentEntry CheckAdjustment(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return {std::nullopt, QStringLiteral("Enter Reading or Press Escape"), false};
    }
    const double value = text.trimmed().toDouble();
    if (!AdjustmentInRange(value)) {
        return {std::nullopt, text + QStringLiteral(" Too large. "), true};
    }
    return {static_cast<float>(value), QString(), false};
}

QString AdjustmentSignKey(const QString& text, QChar sign) {
    const double magnitude = std::fabs(text.trimmed().toDouble());
    return sign == u'-' ? Str(-magnitude) : u'+' + Str(magnitude).trimmed();
}

namespace {
// A setting as the single-precision arithmetic of the adjustment gives it,
// written back as the shortest decimal that is that single value: 96.5 +
// 0.67 x 1.1 is 97.237, not 97.237000015974, and repeated adjustments
// never pile up the float's noise in inst.cfg.
double ShortestSingle(double value) {
    const auto single = static_cast<float>(value);
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), single);
    double shortest = value;
    std::from_chars(text.data(), written.ptr, shortest);
    return shortest;
}
} // namespace

QSettings15 AdjustedSettings(const Calibration& calibration, float adjustment) {
    const double adj = adjustment;
    return {ShortestSingle(calibration.Q15A + 0.67 * adj),
            ShortestSingle(calibration.Q15C + 0.99 * adj),
            ShortestSingle(calibration.Q15D + 0.97 * adj), ShortestSingle(calibration.Q15Hg + adj)};
}

QStringList QTableChangeComments(const Calibration& calibration, const QString& initials,
                                 float adjustment) {
    return {QStringLiteral("Q-table was Changed by: ") + initials + QStringLiteral(" By ") +
                FormatNumber(adjustment, u"00.00"),
            QStringLiteral(" New Values A: ") + FormatNumber(calibration.Q15A, u"00.00") +
                QStringLiteral(" C: ") + FormatNumber(calibration.Q15C, u"00.00") +
                QStringLiteral(" D: ") + FormatNumber(calibration.Q15D, u"00.00") +
                QStringLiteral(" Hg: ") + FormatNumber(calibration.Q15Hg, u"00.00")};
}

bool AcceptQTableChange(const StationSetup& setup, DayState& day, Calibration& calibration,
                        const QString& initials, const Clock& clock, OperatorMessages& messages,
                        float adjustment) {
    const QSettings15 next = AdjustedSettings(calibration, adjustment);
    Calibration updated = calibration;
    updated.Q15A = next.a;
    updated.Q15C = next.c;
    updated.Q15D = next.d;
    updated.Q15Hg = next.hg;
    updated.QTableDate = FormatDate(LocalStandardTime(setup, clock.Now()), u"DD MMM YYYY");
    // The change's record first: the comments with the new values go to the
    // day file before inst.cfg changes, so that no kill can leave new
    // settings in force without their record. When the record cannot be
    // written nothing changes; when inst.cfg cannot, a second comment says
    // the change was not made.
    const DateTimeValue local = LocalStandardTime(setup, clock.Now());
    QStringList record;
    for (const QString& text : QTableChangeComments(updated, initials, adjustment)) {
        record << CommentRecordLines(WrapComment(text), local);
    }
    // The same new values as a change of today that never reached
    // inst.cfg: a retry of it, not a second change on top of it.
    const std::optional<UnappliedChange> unapplied =
        UnappliedQTableChange(DayFilePath(setup, local), calibration);
    if (unapplied && unapplied->newValues == QTableChangeComments(updated, initials, 0).value(1)) {
        record << CommentRecordLines(
            WrapComment(QStringLiteral("This is a retry of the Q-table change of ") +
                        unapplied->when + QStringLiteral(", which did not reach inst.cfg.")),
            local);
    }
    // The old table is kept as instcfg.bak; inst.cfg itself is replaced in
    // one step, so the station is never without a whole inst.cfg.
    QFile old(InstCfgPath(setup));
    const bool kept = old.open(QIODevice::ReadOnly);
    const QByteArray before = old.readAll();
    bool recorded = false;
    std::optional<CalibrationChangeFailure> failed = ChangeCalibration(
        &recorded,
        [&]() -> Result<void> {
            if (!AppendDayRecord(setup, day, clock, record, messages)) {
                return Error{ErrorKind::Unwritable, QStringLiteral("the day file")};
            }
            return {};
        },
        kept ? QList<CalibrationFile>{{setup.ConfigDir + QStringLiteral("instcfg.bak"), before},
                                      {InstCfgPath(setup), InstCfgText(setup, updated)}}
             : QList<CalibrationFile>{});
    if (failed && !failed->recorded) {
        messages.Show(QStringLiteral("The Q-table was not changed: its record could not be "
                                     "written to the day file.\nINST.CFG in ") +
                          setup.ConfigDir + QStringLiteral(" is unchanged."),
                      QStringLiteral("Q table"));
        return false;
    }
    if (!kept && !failed) {
        failed = CalibrationChangeFailure{true, old.fileName(),
                                          Error{ErrorKind::Unreadable, old.errorString()}};
    }
    if (failed) {
        const QString& error = failed->error.message;
        WriteCommentText(setup, day, clock, messages,
                         QStringLiteral("The Q-table change above was not made: ") + error);
        messages.Show(QStringLiteral("The Q-table could not be changed: ") + error + u'\n' +
                          QStringLiteral("INST.CFG in ") + setup.ConfigDir +
                          QStringLiteral(" is unchanged."),
                      QStringLiteral("Q table"));
        return false;
    }
    calibration = updated;
    return true;
}

double TableRounding(double x) {
    // The hundredths digit of the decimal value, not of the binary product:
    // 12.33 is 1233 hundredths, although 100 x 12.33 is 1232.99... The
    // settings have a few decimals at most, so a millionth of a hundredth
    // recovers the decimal value without reaching the next one.
    const double hundredths = std::floor(x * 100.0 + 1e-6);
    const double tenths = std::floor(hundredths / 10.0);
    const double h = hundredths - 10.0 * tenths;
    if (h <= 2) {
        return tenths / 10.0;
    }
    if (h <= 7) {
        return (10.0 * tenths + 5.0) / 100.0;
    }
    return (10.0 * tenths + 10.0) / 100.0;
}

QString QTablePath(const StationSetup& setup, DateTimeValue localNow) {
    const QString base = DayFileName(setup, localNow).section(u'.', 0, 0);
    return setup.DataDir + u'Q' + base + u'.' + setup.InstrumentId;
}

QStringList QSettingTableLines(const StationSetup& setup, const Calibration& calibration,
                               DateTimeValue localNow) {
    const QString rule = QString(75, u'-');
    auto at3 = [](const QString& text) { return QStringLiteral("  ") + text; };
    auto settings = [&calibration](double t) {
        return FormatNumber(TableRounding(QSetA(calibration, t)), u"##.00") + u' ' +
               FormatNumber(TableRounding(QSetC(calibration, t)), u"##.00") + u' ' +
               FormatNumber(TableRounding(QSetD(calibration, t)), u"###.00") + u' ' +
               FormatNumber(TableRounding(QSetHg(calibration, t)), u"##.00") + u' ';
    };
    const QString title =
        QStringLiteral("TABLE OF SETTING OF Q1 FOR INSTRUMENT NUMBER ") + setup.InstrumentId;
    QString titleLine;
    TabTo(titleLine, static_cast<int>(std::nearbyint((80.0 - title.size()) / 2.0 + 3.0)));
    QStringList out = {
        QString(),
        at3(QStringLiteral("STATION:") + setup.StationName),
        at3(QStringLiteral("TABLE DATE:") + calibration.QTableDate),
        QString(),
        titleLine + title,
        at3(rule),
        at3(QStringLiteral("| DegC    A      C       D      HG   | DegC    A      C  "
                           "     D      HG   |")),
        at3(rule)};
    for (int row = 0; row < 40; ++row) {
        const double t = row * 0.5;
        out << at3(u'|' + FormatNumber(t, u"##.#") + u' ' + settings(t) + u'|' +
                   FormatNumber(t + 20.0, u"##.#") + u' ' + settings(t + 20.0) + u'|');
        if ((row + 1) % 10 == 0) {
            out << at3(rule);
        }
    }
    QString q2;
    TabTo(q2, 20);
    QString values = q2;
    q2 += QStringLiteral("ALWAYS SET Q2 TO VALUE AT 15 DEGRESS C.");
    values +=
        QStringLiteral("A:") + FormatNumber(TableRounding(QSetA(calibration, 15.0)), u"##.00") +
        QStringLiteral("C:") + FormatNumber(TableRounding(QSetC(calibration, 15.0)), u"##.00") +
        QStringLiteral("D:") + FormatNumber(TableRounding(QSetD(calibration, 15.0)), u"##.00") +
        QStringLiteral("Hg:") + FormatNumber(TableRounding(QSetHg(calibration, 15.0)), u"##.00");
    out << QString() << q2 << values << QString()
        << FormatDate(localNow, u"DD MMM YYYY") + u':' + FormatDate(localNow, u"HH:MM:SS") +
               QChar(12);
    return out;
}

Result<void> WriteQSettingTable(const StationSetup& setup, const Calibration& calibration,
                                const QString& path, DateTimeValue localNow) {
    return ReplaceFile(path, CrLfLines(QSettingTableLines(setup, calibration, localNow)));
}

bool PrintQTable(const StationSetup& setup, const Calibration& calibration, const Clock& clock,
                 OperatorMessages& messages, PrintQTableScreens& screens) {
    const DateTimeValue local = LocalStandardTime(setup, clock.Now());
    const QString path = QTablePath(setup, local);
    if (screens.ConfirmTableFile(path) == ContinueOrEscape::Escape) {
        return false;
    }
    if (const Result<void> written = WriteQSettingTable(setup, calibration, path, local);
        !written) {
        messages.Show(QStringLiteral("Could not write ") + path + QStringLiteral(": ") +
                          written.error().message,
                      QStringLiteral("Q table"));
        return false;
    }
    return true;
}

} // namespace quillon
