// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/StationSetup.h"
#include "records/DayFileReader.h"
#include "util/Result.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <functional>

namespace quillon {

// A day's observations for the World Ozone and UV Radiation Data Centre:
// the TotalOzoneObs dataset in WOUDC's extended CSV.

// The station's WOUDC identifiers, from the optional woudc.cfg in the
// configuration directory (one item per line, as every configuration file).
struct WoudcStation {
    QString platformId;
    QString country;
    QString gawId;
    QString agency;
    QString authority;
    QString model;
    QString version = QStringLiteral("1.0");
};

// woudc.cfg, or the reason (naming the file) when it is missing, short of
// an item or holds one the archive would refuse (ErrorKind::Station).
Result<WoudcStation> ReadWoudcStation(const StationSetup& setup);

// The codes of an OBS record: the wavelength code by type, the observation
// code by type and sky (from the record's second line); false for a type
// that is not exported (CC', moon, intercomparison).
bool WoudcCodes(const DayObservation& observation, int* wlCode, int* obsCode);

struct WoudcFile {
    QString name; // YYYYMMDD.Dobson.<model>.<instrument>.<agency>.csv
    QByteArray text;
    int exported = 0;
    int outOfRange = 0; // ozone outside 100 to 700, left out
    int unreadable = 0; // records of the day file that could not be read
    int leftOut = 0;    // observations a station chose to leave out (flagged)
};

// A file written for the archive, and the records of its day file that it
// left out because they could not be read ("D06083.083: The record on line
// 12 cannot be read: ..."), for the operator to see.
struct WoudcWritten {
    QString path;
    QStringList leftOut;
};

// Why a day has nothing the archive can take (no file is written then:
// WOUDC refuses a file with an empty OBSERVATIONS table), empty when it has:
// "no observation of 03/24/2006 can be sent to WOUDC (only C/C' zenith or
// moon observations)".
QString NothingToSendReason(const WoudcFile& file, DateTimeValue localDate);

// The file of the day file `dayFileName` read as `contents`, for local date
// `localDate`, made at UTC `madeUtc`.
// `leftOut` names the observations left out before (one comment line each,
// "12:00:00 ADDSGQP: spread, adcd"); `note` is one more comment line, as a
// reprocessing names the calibration it applied.
WoudcFile MakeWoudcFile(const StationSetup& setup, const WoudcStation& station,
                        const QString& dayFileName, const DayFileContents& contents,
                        DateTimeValue localDate, DateTimeValue madeUtc,
                        const QStringList& leftOut = {}, const QString& note = {});

// A data version with its minor number raised by one ("1.0" gives "1.1",
// "2.9" gives "2.10"): the archive refuses a resubmission whose version
// equals the one it holds.
QString NextDataVersion(const QString& version);
// Whether a text is a data version MAJOR.MINOR the archive takes.
bool IsDataVersion(const QString& text);

// Takes out of a day's contents the observations the archive is not to
// have, and names each (see MakeWoudcFile).
using WoudcLeaveOut =
    std::function<QStringList(DayFileContents& contents, DateTimeValue localDate)>;

// The whole export of local date `date`: woudc.cfg, the day file, the file
// written into `directory`: the file's path, or why there is none
// (ErrorKind::Station when woudc.cfg is the cause; an unwritable file is
// named).
// The names of the WOUDC files of any day ("20060324.Dobson.Beck.083.NOAA-CMDL.csv").
const QRegularExpression& WoudcFileNames();

Result<WoudcWritten> ExportWoudcDay(const StationSetup& setup, DateTimeValue date,
                                    DateTimeValue madeUtc, const QString& directory,
                                    const WoudcLeaveOut& leaveOut = {});
// The same for a date as the operator typed it ("MM/DD/YYYY"); a text that
// is no such date is refused with its reason.
Result<WoudcWritten> ExportWoudcDayOf(const StationSetup& setup, const QString& dateText,
                                      DateTimeValue madeUtc, const QString& directory,
                                      const WoudcLeaveOut& leaveOut = {});

} // namespace quillon
