// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"

#include <array>

namespace quillon {

// From R-dial positions to N-values and total ozone in Dobson units, with the
// instrument's N-table and lamp corrections and the station's constants.

// Wavelength codes of a reading.
enum WavelengthCode { kWavelengthA = 1, kWavelengthC = 2, kWavelengthD = 3, kWavelengthCPrime = 4 };

// Values stored when an ozone is not calculated (moon, C/C').
inline constexpr double kOzoneNotCalculated = -99.9;
inline constexpr double kMuNotCalculated = -9.999;
inline constexpr double kSpreadNotCalculated = -9.9;

// N of one reading: linear in the N-table (rows every 10 dial units, the end
// intervals extended beyond the table) plus the lamp correction of its pair.
double RtoN(const Calibration& calibration, int wavelengthCode, double r);

// Q-lever settings at instrument temperature `t` (degrees C).
double QSetA(const Calibration& calibration, double t);
double QSetC(const Calibration& calibration, double t);
double QSetD(const Calibration& calibration, double t);
double QSetHg(const Calibration& calibration, double t);

// The five readings of one observation and the deviations of the encoder
// samples behind each: three on the first wavelength, two on the second.
struct ObservationReadings {
    std::array<double, 3> first{};
    std::array<double, 3> firstSd{};
    std::array<double, 2> second{};
    std::array<double, 2> secondSd{};
};

struct ObsMeansResult {
    double meanFirst = 0;
    double meanSecond = 0;
    double spreadFirst = 0;
    double spreadSecond = 0;
    double spread = 0; // combined, R-dial units
    double nFirst = 0; // not produced for "CC"
    double nSecond = 0;
};

// Means, spreads and N-values of a completed observation of pair type "AD",
// "CD" or "CC".
ObsMeansResult ObsMeans(const Calibration& calibration, const QString& pairType,
                        const ObservationReadings& readings);

struct OzoneResult {
    double ozone = kOzoneNotCalculated;
    double mu = kMuNotCalculated;
};

// Direct sun: ozone from the N difference at UTC instant `utc` (the day
// plus the time of day in hours).
OzoneResult OzoneAD(const StationSetup& setup, double nAD, DateTimeValue utc);
OzoneResult OzoneCD(const StationSetup& setup, double nCD, DateTimeValue utc);

// Zenith sky: the site's cloud polynomial for AD ("ZB" clear, "ZC" cloudy),
// the scaled direct-sun form for CD. Not calculated where the formulas have
// no value (sun far below the horizon; CD divisor reaching zero near
// mu 16.45).
OzoneResult OzoneADZenith(const StationSetup& setup, double nAD, const QString& zenithKind,
                          DateTimeValue utc);
OzoneResult OzoneCDZenith(const StationSetup& setup, double nCD, DateTimeValue utc);

// The formulas themselves, at a given mu (and air mass), for reprocessing
// and for checking the worked values.
double OzoneADAtMu(double nAD, double mu, float pressureRatio);
double OzoneCDAtMu(double nCD, double mu, float pressureRatio);
double OzoneADZenithAtMu(const StationSetup& setup, double nAD, const QString& zenithKind,
                         double mu, double airMass);
// Not calculated (-99.9) where the divisor 1.25 - 0.076 mu is zero or less.
double OzoneCDZenithAtMu(double nCD, double mu, float pressureRatio);

// The spread of an ozone result in DU from the combined spread in R-dial
// units: the pair's direct-sun form at that mu.
double OzoneSpreadAD(double spread, double mu);
double OzoneSpreadCD(double spread, double mu);

} // namespace quillon
