// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"

#include <QStringList>
#include <array>
#include <optional>

namespace quillon {

// One intercomparison set: the C, D and A wavelengths measured one after
// the other beside a travelling standard, on the direct sun or the zenith
// sky. Everything a set computes and the lines it leaves in the CDA file
// and the day file; the screen and `quillon-cli icset` share it.

enum IcWavelength { kIcC = 0, kIcD = 1, kIcA = 2 };

struct IcMeasurement {
    DateTimeValue utc = 0; // when its readings began
    double r = 0;          // R-dial mean
    double sd = 0;
};

struct IcSet {
    bool directSun = true;
    // When the set was due (UTC, on the series' clock): the set's time when
    // no wavelength was measured.
    DateTimeValue scheduledUtc = 0;
    std::array<std::optional<IcMeasurement>, 3> wavelengths; // C, D, A
};

// What a set computes for one measured wavelength.
struct IcWavelengthResult {
    double mu = 0;
    double airMass = 0;
    double zenithAngle = 0;
    double n = 0;
    std::optional<double> ozone; // single-wavelength; not when N is 0
};

struct IcResult {
    std::array<std::optional<IcWavelengthResult>, 3> wavelengths;
    std::optional<double> ad;
    std::optional<double> cd;
    // The mean of the measured wavelengths' times, or the scheduled start
    // when none was measured.
    DateTimeValue meanUtc = 0;
};

IcResult ComputeIcSet(const StationSetup& setup, const Calibration& calibration, const IcSet& set);

// "CDAobs" + YY + DDD (UTC day) + "." + instrument number, in the data
// directory; its seven header lines; one set's data line.
QString CdaFilePath(const StationSetup& setup, DateTimeValue utc);
QStringList CdaHeaderLines(const StationSetup& setup);
QString CdaDataLine(const StationSetup& setup, const IcSet& set, const IcResult& result);

// The day file's two record lines of a set ("I DSGQP" or "UMKEHR").
QStringList IcDayRecordLines(const StationSetup& setup, const IcSet& set, const IcResult& result,
                             DateTimeValue writtenUtc, const QString& sky, const QString& special);

// The set's line on the screen.
QString IcResultLine(const IcSet& set, const IcResult& result);

} // namespace quillon
