// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"
#include "records/DayFileReader.h"
#include "records/WoudcExport.h"
#include "util/Result.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

namespace quillon {

// Quality flags: an observation that passed the reading checks can still be
// doubtful (a large ozone spread, AD and CD direct sun that disagree, a
// value far from the day's others, lamp tests overdue). One rule flags it,
// each flag with its reason and numbers; flags are computed from the
// records and never written into them.

// The limits, from the optional quality.cfg of the configuration directory.
struct QualityLimits {
    double spreadSun = 2.5;     // DU, direct sun
    double spreadZenith = 4.0;  // DU, zenith
    double airmassSun = 3.5;    // mu, direct sun
    double airmassZenith = 6.0; // mu, zenith
    double adcdPercent = 3.0;   // AD and CD direct sun within 30 minutes
    double outlierPercent = 5.0;
    double lowestOzone = 100.0; // DU
    double highestOzone = 700.0;
};

// quality.cfg: one item a line, its name and its value separated by blanks
// or a comma ("spread_sun 2.5"), blank lines allowed. Without the file, the defaults. A value that
// is no number or negative, an unknown item or a range upside down is refused with the file, the
// line and the reason.
Result<QualityLimits> ReadQualityLimits(const QString& configDir);

// The dates of the station's lamp tests: its histories, and inst.cfg's
// last dates (a test whose history line was lost still counts).
struct LampTestDates {
    QList<DateTimeValue> mercury;
    QList<DateTimeValue> standard;
};
LampTestDates ReadLampTestDates(const StationSetup& setup, const Calibration& calibration);

struct QualityFlag {
    QString name; // spread, airmass, adcd, outlier, range, overdue, training, sky
    QString reason;
};

struct FlaggedObservation {
    DayObservation observation;
    QList<QualityFlag> flags;
};

// The flags one observation earns on its own: spread, airmass, range,
// overdue at `localDate`, training (a practice day or observation), sky.
QList<QualityFlag> ObservationFlags(const DayObservation& observation, DateTimeValue localDate,
                                    const QualityLimits& limits, const LampTestDates& tests,
                                    bool practiceDay);

// Every observation of a day with all its flags, adcd and outlier included.
QList<FlaggedObservation> DayQualityFlags(const QList<DayObservation>& observations,
                                          DateTimeValue localDate, const QualityLimits& limits,
                                          const LampTestDates& tests, bool practiceDay);

// A day's observations with their flags, as the quality window and the
// command show them: from the day file of `localDate` in `directory`, by
// the station's limits and lamp tests; a .999 file is a practice day.
struct DayQuality {
    QList<FlaggedObservation> observations;
    QStringList problems; // records that cannot be read, named with their file
};
Result<DayQuality> ReadDayQuality(const StationSetup& setup, const Calibration& calibration,
                                  const QString& directory, DateTimeValue localDate);

// The line the observation screen shows with a result, before Accept or
// Reject, while a repeat is still possible: the flags of `candidate` (an
// observation of local date `localDate` not yet written) among the day so
// far in its day file, by the station's limits. "Quality: ozone spread 3.1
// DU (limit 2.5); consider repeating.", empty when none applies. Sky codes
// are chosen after Accept, and a practice day is known to its operator:
// neither is flagged here.
QString ObservationQualityLine(const StationSetup& setup, const Calibration& calibration,
                               const DayObservation& candidate, DateTimeValue localDate);

// Takes the flagged observations out of a day's contents for the archive
// and names each with its flags: "12:00:00 ADDSGQP: spread, adcd".
QStringList LeaveOutFlagged(DayFileContents& contents, DateTimeValue localDate,
                            const QualityLimits& limits, const LampTestDates& tests,
                            bool practiceDay);

// The station's way of leaving flagged observations out of a WOUDC file
// (its limits, lamp tests, and practice days when it has no encoder), or
// why its quality.cfg cannot be used.
Result<WoudcLeaveOut> LeaveOutFlaggedFor(const StationSetup& setup, const Calibration& calibration);

// "ozone spread 3.1 DU (limit 2.5); mu 3.620 (limit 3.5)", empty for none.
QString FlagReasons(const QList<QualityFlag>& flags);

// The reasons of the day's flagged observations, keyed as the day plot
// draws them: by plot class and recorded time ("HHMMSS").
QMap<std::pair<int, QString>, QString> FlaggedPlotPoints(const DayQuality& quality);

// One observation as the command line lists it: "12:00:00 ADDSGQP mu
// 2.000 ozone 300.0 spread: ozone spread 3.1 DU (limit 2.5)", "-" for no flag.
QString FlaggedLine(const FlaggedObservation& flagged);

// The day's observations and flags as one JSON array.
QByteArray FlaggedJson(const QList<FlaggedObservation>& day);

} // namespace quillon
