// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/AstroFunctions.h"

#include <cmath>
#include <limits>

namespace quillon {

namespace {

constexpr double kEccentricity = 0.0167;
constexpr double kObliquityDegrees = 23.441;

// x reduced by whole 360s until it is no more than 360, as a loop of
// subtractions would (each subtraction is exact at these magnitudes).
double ReduceDegrees(double x) {
    if (x > 360.0) {
        double k = std::ceil((x - 360.0) / 360.0);
        double r = x - 360.0 * k;
        while (r > 360.0) {
            r -= 360.0;
        }
        while (r <= 0.0 && k > 0) {
            r += 360.0;
            --k;
        }
        return r;
    }
    return x;
}

int Sign(double x) {
    return (x > 0) - (x < 0);
}

} // namespace

double DegToRad(double degrees) {
    return degrees * kPi / 180.0;
}

double RadToDeg(double radians) {
    return radians * 180.0 / kPi;
}

double ArcCos(double x) {
    if (x > 1.0 || x < -1.0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (x > 0.9999) {
        return 0.0;
    }
    if (x < -0.9999) {
        return kPi;
    }
    return kPi / 2.0 - std::atan(x / std::sqrt(1.0 - x * x));
}

double JulianDay(DateTimeValue utc) {
    const double day = std::floor(utc);
    const double h = (utc - day) * 24.0;
    const CivilDateTime c = SplitDateTime(day);
    const double y = c.year;
    const int m = c.month;
    const double d = c.day;
    return 367.0 * y - std::trunc(7.0 * (y + std::trunc((m + 9) / 12)) / 4.0) +
           std::trunc(275 * m / 9) + d + 1721013.5 + h / 24.0 -
           0.5 * Sign(100.0 * y + m - 190002.5) + 0.5;
}

SunPlace SunPosition(double julianDay, double utHours) {
    const double d = julianDay - 2415020.0;
    const double L = DegToRad(ReduceDegrees(279.691 + 0.98564735 * d));
    const double g = DegToRad(ReduceDegrees(358.48 + 0.9856003 * d));
    const double e = kEccentricity;
    const double lambda = L + 2.0 * e * std::sin(g) + 1.25 * e * e * std::sin(2.0 * g);
    const double epsilon = DegToRad(kObliquityDegrees);
    const double sinLambda = std::sin(lambda);
    const double cosLambda = std::cos(lambda);
    double alpha;
    if (std::fabs(lambda - kPi / 2.0) < 1e-5) {
        alpha = kPi / 2.0;
    } else {
        alpha = std::atan(std::cos(epsilon) * sinLambda / cosLambda);
        if (sinLambda > 0 && cosLambda < 0) {
            alpha += kPi;
        } else if (sinLambda < 0 && cosLambda < 0) {
            alpha -= kPi;
        }
    }
    const double declination = std::atan(std::tan(epsilon) * std::sin(alpha));
    double gha = DegToRad(15.0 * utHours) + kPi + L - alpha;
    while (gha > 2.0 * kPi) {
        gha -= 2.0 * kPi;
    }
    return {gha, declination};
}

double CosZenith(double greenwichHourAngle, double declination, double latitudeRad,
                 double longitudeRad) {
    const double h = greenwichHourAngle - longitudeRad;
    return std::cos(h) * std::cos(declination) * std::cos(latitudeRad) +
           std::sin(latitudeRad) * std::sin(declination);
}

double MuFromCosZenith(double cosZenith, double layerFactor) {
    const double mu = 1.0 / std::sqrt(1.0 - layerFactor * (1.0 - cosZenith * cosZenith));
    return cosZenith < 0 ? -mu : mu;
}

double SunCosZenith(const StationSetup& station, DateTimeValue utc) {
    const double h = (utc - std::floor(utc)) * 24.0;
    const SunPlace sun = SunPosition(JulianDay(utc), h);
    return CosZenith(sun.greenwichHourAngle, sun.declination, station.LatitudeRad,
                     station.LongitudeRad);
}

double SunMu(const StationSetup& station, DateTimeValue utc) {
    return MuFromCosZenith(SunCosZenith(station, utc), station.LayerFactor);
}

double KastenAirMass(double cosZenith, double zenithDegrees) {
    if (zenithDegrees >= 93.885) {
        return kNoAirMass;
    }
    return 1.0 / (cosZenith + 0.15 / std::pow(93.885 - zenithDegrees, 1.253));
}

double SunAirMass(const StationSetup& station, DateTimeValue utc) {
    const double cosZ = SunCosZenith(station, utc);
    const double z = RadToDeg(ArcCos(cosZ));
    if (z >= 93.885) {
        return kNoAirMass;
    }
    const double m = KastenAirMass(cosZ, z);
    return cosZ < 0 ? -m : m;
}

double SunZenithAngle(const StationSetup& station, DateTimeValue utc) {
    return RadToDeg(ArcCos(SunCosZenith(station, utc)));
}

int DayOfYearFromText(const QString& text) {
    if (text.size() < 10) {
        return 999;
    }
    const int month = text.left(2).trimmed().toInt();
    const int day = text.mid(3, 2).trimmed().toInt();
    const int year = text.right(4).trimmed().toInt();
    if (month < 1 || month > 12 || day < 1) {
        return 999;
    }
    static const int ends[12] = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
    const int leap = year % 4 == 0 ? 1 : 0;
    auto monthEnd = [&](int m) { return ends[m - 1] + (m >= 2 ? leap : 0); };
    if (month == 1) {
        return day < 32 ? day : 999;
    }
    const int doy = monthEnd(month - 1) + day;
    return doy > monthEnd(month) ? 999 : doy;
}

} // namespace quillon
