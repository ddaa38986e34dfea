// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"
#include "observe/QualityFlags.h"
#include "records/DayFileReader.h"
#include "records/WoudcExport.h"
#include "util/OperatorMessages.h"
#include "util/Result.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace quillon {

// Reprocessing with a new calibration: every OBS record with a computed
// ozone recomputed from the five R-dial readings it keeps, with another
// N-table and lamp corrections, exactly as the observation computed it.
// The day files are only read.

// The calibration of `directory` (its ntable.NNN and lampcorr.NNN, both
// required) for the station's instrument, over the inst.cfg values of
// `inUse`; or the file and the reason.
Result<Calibration> LoadCalibration(const StationSetup& station, const Calibration& inUse,
                                    const QString& directory, OperatorMessages& messages);

struct ReprocessedRecord {
    QString date; // the observation's local date, "YYYY-MM-DD"
    QString time; // its local mean time, "HH:MM:SS"
    QString type;
    double mu = 0;
    double recorded = 0;
    double reprocessed = 0;
    QStringList flags; // its quality flags on the reprocessed values
};

struct ReprocessedDay {
    QString fileName;
    DateTimeValue localDate = 0;
    bool read = false;           // the file could be read as a day file
    DayFileContents reprocessed; // the records with the new N-values, mu and ozone
    QList<ReprocessedRecord> records;
    QStringList problems; // records skipped, and a file that is none, named
};

// One day file, named "D" + YY + DDD + "." + extension.
// Each record's quality flags come from `limits` and the station's lamp
// tests.
ReprocessedDay ReprocessDayFile(const StationSetup& setup, const Calibration& calibration,
                                const QualityLimits& limits, const QString& path);

// A reprocessing of day files, each in turn: its records, and with a WOUDC
// station its new WOUDC file written into `woudcDirectory`.
struct ReprocessRun {
    QList<ReprocessedRecord> records;
    // In order: each record skipped, each file that is no day file, each
    // WOUDC file that could not be written (file and reason).
    QStringList problems;
    // A file could not be read, or its WOUDC file not written.
    bool failed = false;
};
// With `leaveOutFlagged` the WOUDC files leave out the observations with
// quality flags on the reprocessed values, each named in a comment.
ReprocessRun ReprocessDayFiles(const StationSetup& setup, const Calibration& calibration,
                               const QualityLimits& limits, const QStringList& paths,
                               const std::optional<WoudcStation>& woudc,
                               const QString& woudcDirectory, DateTimeValue madeUtc,
                               bool leaveOutFlagged = false);

// The CSV: its header, and one line per record.
QString ReprocessCsvHeader();
QString ReprocessCsvLine(const ReprocessedRecord& record);
// "N records, mean difference D DU".
QString ReprocessSummaryLine(const QList<ReprocessedRecord>& records);

} // namespace quillon
