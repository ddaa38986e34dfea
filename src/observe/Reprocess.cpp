// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/Reprocess.h"

#include "util/DurableFile.h"

#include "config/ConfigFile.h"
#include "config/GetInfo.h"
#include "ozone/Reduction.h"
#include "records/DayFileList.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

namespace quillon {

namespace {

// The day of a day file's name "DYYDDD.ext".
bool DayOfName(const QString& name, DateTimeValue* day) {
    const double key = DayFileSortKey(name);
    if (key >= 1e7 || !name.startsWith(u'D', Qt::CaseInsensitive)) {
        return false;
    }
    const int year = static_cast<int>(key / 1000.0);
    const int dayOfYear = static_cast<int>(key - year * 1000.0);
    if (dayOfYear < 1 || dayOfYear > 366) {
        return false;
    }
    *day = DateSerial(year, 1, 1) + dayOfYear - 1;
    return true;
}

// The five readings of line 2: columns of six characters, first wavelength
// 1, 2, 3, then second wavelength 1, 2.
bool LineReadings(const QString& line2, std::array<double, 5>* readings) {
    if (line2.size() < 30) {
        return false;
    }
    for (int k = 0; k < 5; ++k) {
        bool ok = false;
        const double value = line2.mid(k * 6, 6).trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value) || std::fabs(value) > 1000.0) {
            return false;
        }
        (*readings)[static_cast<size_t>(k)] = value;
    }
    return true;
}

// The record's local mean time "HHMMSS" on its date "MM/DD/YYYY".
bool RecordTime(const DayObservation& obs, DateTimeValue* local) {
    DateTimeValue date = 0;
    const QString& t = obs.time;
    if (!ParseMdy(obs.date, &date) || t.size() != 6 ||
        !std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); })) {
        return false;
    }
    const int h = t.left(2).toInt();
    const int m = t.mid(2, 2).toInt();
    const int sec = t.mid(4, 2).toInt();
    if (h > 23 || m > 59 || sec > 59) {
        return false;
    }
    *local = date + TimeSerial(h, m, sec);
    return true;
}

} // namespace

Result<Calibration> LoadCalibration(const StationSetup& station, const Calibration& inUse,
                                    const QString& directory, OperatorMessages& messages) {
    StationSetup setup = station;
    setup.ConfigDir = directory.endsWith(u'/') ? directory : directory + u'/';
    // A missing lamp correction file is a calibration that is not all
    // there: the station's 0.0 fallback is for a station at work, not for
    // a reprocessing.
    const QString lamp = QStringLiteral("lampcorr.") + setup.InstrumentId;
    if (!QFileInfo::exists(ResolveFileName(setup.ConfigDir, lamp))) {
        return Error{ErrorKind::NotFound,
                     setup.ConfigDir + lamp + QStringLiteral(": File not found")};
    }
    Calibration calibrated = inUse;
    Result<void> read = ReadNTable(setup, calibrated);
    if (read) {
        read = ReadLampCorrections(setup, calibrated, messages);
    }
    if (!read) {
        return Error{read.error().kind, QString(read.error().message).replace(u'\n', u' ')};
    }
    return calibrated;
}

namespace {

// What a day file was recorded with, by the comment the program begins each
// day and each start with ("Quillon 1.0 N-table 03/12/2024 Lampcorr
// 12/02/2026 STD-61A Q-table 06/15/2026"), against what is applied now:
// each date that differs said once, so a moved ozone has its reason.
QStringList CalibrationChanges(const QString& path, const QString& fileName,
                               const Calibration& applied) {
    const Result<QString> text = ReadTextFile(path, kMaxDayFileBytes);
    if (!text) {
        return {};
    }
    static const QRegularExpression provenance(
        QStringLiteral("\"Quillon \\S+ N-table (\\S+) Lampcorr (\\S+)"));
    QString ntable;
    QString lampcorr;
    for (auto it = provenance.globalMatch(*text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (ntable.isEmpty() && m.captured(1) != applied.NTableDate) {
            ntable = m.captured(1);
        }
        if (lampcorr.isEmpty() && m.captured(2) != applied.LampCorrDate) {
            lampcorr = m.captured(2);
        }
    }
    QStringList out;
    if (!ntable.isEmpty()) {
        out << fileName + QStringLiteral(" was recorded with the N-table of ") + ntable +
                   QStringLiteral("; applying ") + applied.NTableDate;
    }
    if (!lampcorr.isEmpty()) {
        out << fileName + QStringLiteral(" was recorded with lamp corrections of ") + lampcorr +
                   QStringLiteral("; applying ") + applied.LampCorrDate;
    }
    return out;
}

} // namespace

ReprocessedDay ReprocessDayFile(const StationSetup& setup, const Calibration& calibration,
                                const QualityLimits& limits, const QString& path) {
    ReprocessedDay out;
    out.fileName = QFileInfo(path).fileName();
    if (!DayOfName(out.fileName, &out.localDate)) {
        out.problems << path + QStringLiteral(": not a day file name (D + YY + DDD)");
        return out;
    }
    const DayFileContents contents = ReadDayFile(path, setup.StationName, out.localDate);
    if (contents.status != DayFileStatus::Ok) {
        out.problems << path + QStringLiteral(": ") +
                            (contents.message.isEmpty()
                                 ? QStringLiteral("cannot be read")
                                 : QString(contents.message).replace(u'\n', u' '));
        return out;
    }
    out.read = true;
    out.problems << CalibrationChanges(path, out.fileName, calibration);
    out.reprocessed = contents;
    out.reprocessed.observations.clear();
    for (const QString& problem : contents.problems) {
        out.problems << path + QStringLiteral(": ") + problem;
    }
    QList<qsizetype> recordAt; // each record's observation in `reprocessed`
    for (const DayObservation& obs : contents.observations) {
        if (obs.values[5] == kOzoneNotCalculated) {
            out.reprocessed.observations << obs; // no ozone to recompute (C/C', moon)
            continue;
        }
        const QString which = path + QStringLiteral(": OBS ") + obs.type + u' ' + obs.date + u' ' +
                              obs.time + QStringLiteral(": ");
        std::array<double, 5> line{};
        DateTimeValue local = 0;
        if (!LineReadings(obs.line2, &line)) {
            out.problems << which + QStringLiteral("its readings are not five numbers, skipped");
            continue;
        }
        if (!RecordTime(obs, &local)) {
            out.problems << which + QStringLiteral("its date or time is not one, skipped");
            continue;
        }
        ReductionInput input;
        input.type = obs.type;
        input.meanUtc = local + static_cast<double>(setup.UtcOffsetHours) / 24.0;
        // Measuring order: first, second, first, second, first wavelength.
        input.readings = {line[0], line[3], line[1], line[4], line[2]};
        const ReductionResult r = ReduceObservation(setup, calibration, input);
        if (!r.calculated) {
            out.problems << which + QStringLiteral("no ozone with the new calibration, skipped");
            continue;
        }
        DayObservation updated = obs;
        updated.values[1] = r.n1;
        updated.values[2] = r.n2;
        updated.values[4] = r.mu;
        updated.values[5] = r.ozone;
        out.reprocessed.observations << updated;
        recordAt << out.reprocessed.observations.size() - 1;
        out.records << ReprocessedRecord{FormatDate(local, u"YYYY-MM-DD"),
                                         FormatDate(local, u"HH:MM:SS"),
                                         obs.type,
                                         r.mu,
                                         obs.values[5],
                                         r.ozone,
                                         {}};
    }
    const QList<FlaggedObservation> flagged = DayQualityFlags(
        out.reprocessed.observations, out.localDate, limits, ReadLampTestDates(setup, calibration),
        QFileInfo(path).suffix() == QLatin1String("999"));
    for (qsizetype i = 0; i < out.records.size(); ++i) {
        for (const QualityFlag& f : flagged[recordAt[i]].flags) {
            out.records[i].flags << f.name;
        }
    }
    return out;
}

ReprocessRun ReprocessDayFiles(const StationSetup& setup, const Calibration& calibration,
                               const QualityLimits& limits, const QStringList& paths,
                               const std::optional<WoudcStation>& woudc,
                               const QString& woudcDirectory, DateTimeValue madeUtc,
                               bool leaveOutFlagged) {
    ReprocessRun run;
    for (const QString& path : paths) {
        const ReprocessedDay day = ReprocessDayFile(setup, calibration, limits, path);
        run.problems << day.problems;
        run.failed = run.failed || !day.read;
        run.records << day.records;
        if (!day.read || !woudc) {
            continue;
        }
        const QString note = QStringLiteral("reprocessed by Quillon ") +
                             QStringLiteral(QUILLON_VERSION) + QStringLiteral(" with N-table ") +
                             calibration.NTableDate + QStringLiteral(", lamp corrections ") +
                             calibration.LampCorrDate;
        DayFileContents sent = day.reprocessed;
        const QStringList leftOut =
            leaveOutFlagged ? LeaveOutFlagged(sent, day.localDate, limits,
                                              ReadLampTestDates(setup, calibration),
                                              day.fileName.endsWith(QLatin1String(".999")))
                            : QStringList();
        const WoudcFile file =
            MakeWoudcFile(setup, *woudc, day.fileName, sent, day.localDate, madeUtc, leftOut, note);
        if (const QString nothing = NothingToSendReason(file, day.localDate); !nothing.isEmpty()) {
            run.problems << day.fileName + QStringLiteral(": ") + nothing;
            run.failed = true;
            continue;
        }
        const QString woudcPath = woudcDirectory + file.name;
        RemoveLeftoverPartFiles(woudcDirectory, WoudcFileNames());
        if (const Result<void> written = ReplaceFile(woudcPath, file.text); !written) {
            run.problems << woudcPath + QStringLiteral(": ") + written.error().message;
            run.failed = true;
        }
    }
    return run;
}

QString ReprocessCsvHeader() {
    return QStringLiteral("date,time,type,mu,ozone_recorded,ozone_reprocessed,difference,flags");
}

QString ReprocessCsvLine(const ReprocessedRecord& r) {
    return QStringList{r.date,
                       r.time,
                       r.type,
                       FormatNumber(r.mu, u"0.000"),
                       FormatNumber(r.recorded, u"0.0"),
                       FormatNumber(r.reprocessed, u"0.0"),
                       FormatNumber(r.reprocessed - r.recorded, u"0.0"),
                       r.flags.join(u';')}
        .join(u',');
}

QString ReprocessSummaryLine(const QList<ReprocessedRecord>& records) {
    double sum = 0;
    for (const ReprocessedRecord& r : records) {
        sum += r.reprocessed - r.recorded;
    }
    const double mean = records.isEmpty() ? 0.0 : sum / static_cast<double>(records.size());
    return QStringLiteral("%1 records, mean difference %2 DU")
        .arg(records.size())
        .arg(FormatNumber(mean, u"0.00"));
}

} // namespace quillon
