// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Constants.h"

#include "config/StationSetup.h"

namespace quillon {

// The sun as the Dobson station sees it: a low-precision solar ephemeris
// with its epoch at 1900, the zenith angle, mu for a spherical ozone shell
// and Kasten's relative air mass. Pure functions of a UTC date-time counted
// in days and the station's geometry.

// Air mass and mu values stored when they cannot be had.
inline constexpr double kNoAirMass = -9.999;

double DegToRad(double degrees);
double RadToDeg(double radians);

// Arc cosine with its ends fixed: 0 above 0.9999 and pi below -0.9999, so
// that a sun at the zenith or the nadir gives an exact angle. NaN outside
// -1..1.
double ArcCos(double x);

double JulianDay(DateTimeValue utc);

struct SunPlace {
    double greenwichHourAngle; // radians, 0 to 2 pi
    double declination;        // radians
};
SunPlace SunPosition(double julianDay, double utHours);

// Cosine of the zenith angle; longitude positive west.
double CosZenith(double greenwichHourAngle, double declination, double latitudeRad,
                 double longitudeRad);

// mu = 1 / sqrt(1 - K (1 - cos^2 Z)), negative when the sun is below the
// horizon.
double MuFromCosZenith(double cosZenith, double layerFactor);

// Cosine of the sun's zenith angle at the station.
double SunCosZenith(const StationSetup& station, DateTimeValue utc);

double SunMu(const StationSetup& station, DateTimeValue utc);

// Kasten's air mass, negative when the sun is below the horizon. Beyond a
// zenith angle of 93.885 degrees the formula has no value (a fractional
// power of a negative number) and -9.999 is returned.
double SunAirMass(const StationSetup& station, DateTimeValue utc);

// Kasten's air mass for a zenith angle, without the sign rule.
double KastenAirMass(double cosZenith, double zenithDegrees);

double SunZenithAngle(const StationSetup& station, DateTimeValue utc);

// Day of the year from "MM/DD/YYYY", or 999 when the text is not a date.
// Every year divisible by 4 counts as a leap year.
int DayOfYearFromText(const QString& text);

} // namespace quillon
