// SPDX-License-Identifier: GPL-3.0-or-later
#include "ozone/OzoneCalc.h"

#include "astro/AstroFunctions.h"

#include <cmath>

namespace quillon {

namespace {

// The pressure term is formed in single precision: the station's pressure
// ratio is a single value, and its product with the factor is rounded
// there, so that the ozone agrees to its last digit with the archive's.
double PressureTerm(float pressureRatio, float factor) {
    return static_cast<double>(pressureRatio * factor);
}

double Power(double base, int exponent) {
    double result = 1.0;
    for (int i = 0; i < exponent; ++i) {
        result *= base;
    }
    return result;
}

// Sum of coef(k) x mu^(i-j) x x^(j-1) over i = 1..degree+1, j = 1..i.
template <size_t N> double Polynomial(const std::array<double, N>& coef, double mu, double x) {
    double sum = 0;
    size_t k = 0;
    for (int i = 1; k < N; ++i) {
        for (int j = 1; j <= i && k < N; ++j, ++k) {
            sum += coef[k] * Power(mu, i - j) * Power(x, j - 1);
        }
    }
    return sum;
}

} // namespace

double RtoN(const Calibration& calibration, int wavelengthCode, double r) {
    const int column = wavelengthCode == kWavelengthCPrime ? 1 : wavelengthCode - 1;
    if (column < 0 || column > 2) {
        return 0;
    }
    auto t = [&](int row) {
        return calibration.NTable[static_cast<size_t>(row - 1)][static_cast<size_t>(column)];
    };
    double n;
    if (r < 10) {
        n = t(1) + (t(2) - t(1)) * r / 10.0;
    } else if (r < 290) {
        const int k = static_cast<int>(r / 10.0);
        n = t(k + 1) + (t(k + 2) - t(k + 1)) * (r - 10.0 * k) / 10.0;
    } else {
        n = t(30) + (t(30) - t(29)) * (r - 290.0) / 10.0;
    }
    switch (wavelengthCode) {
    case kWavelengthA:
        return n + calibration.LampCorr[0];
    case kWavelengthC:
        return n + calibration.LampCorr[1];
    case kWavelengthD:
        return n + calibration.LampCorr[3];
    case kWavelengthCPrime:
        return n + calibration.LampCorr[2];
    default:
        return n;
    }
}

double QSetA(const Calibration& v, double t) {
    return v.Q15A + v.TempCoeff * 0.67 * (t - 15.0);
}
double QSetC(const Calibration& v, double t) {
    return v.Q15C + v.TempCoeff * 0.99 * (t - 15.0);
}
double QSetD(const Calibration& v, double t) {
    return v.Q15D + v.TempCoeff * 0.97 * (t - 15.0);
}
double QSetHg(const Calibration& v, double t) {
    return v.Q15Hg + v.TempCoeff * 1.0 * (t - 15.0);
}

ObsMeansResult ObsMeans(const Calibration& calibration, const QString& pairType,
                        const ObservationReadings& r) {
    ObsMeansResult out;
    out.meanFirst = (r.first[0] + r.first[1] + r.first[2]) / 3.0;
    out.meanSecond = (r.second[0] + r.second[1]) / 2.0;
    out.spreadFirst = std::sqrt(
        (r.firstSd[0] * r.firstSd[0] + r.firstSd[1] * r.firstSd[1] + r.firstSd[2] * r.firstSd[2]) /
        3.0);
    out.spreadSecond =
        std::sqrt((r.secondSd[0] * r.secondSd[0] + r.secondSd[1] * r.secondSd[1]) / 2.0);
    out.spread =
        std::sqrt((out.spreadFirst * out.spreadFirst + out.spreadSecond * out.spreadSecond) / 2.0);
    const QString pair = pairType.toUpper();
    if (pair == QLatin1String("AD")) {
        out.nFirst = RtoN(calibration, kWavelengthA, out.meanFirst);
        out.nSecond = RtoN(calibration, kWavelengthD, out.meanSecond);
    } else if (pair == QLatin1String("CD")) {
        out.nFirst = RtoN(calibration, kWavelengthC, out.meanFirst);
        out.nSecond = RtoN(calibration, kWavelengthD, out.meanSecond);
    }
    return out;
}

double OzoneADAtMu(double nAD, double mu, float pressureRatio) {
    return 10.0 * nAD / (1.432 * mu) - PressureTerm(pressureRatio, 7.0f);
}

double OzoneCDAtMu(double nCD, double mu, float pressureRatio) {
    return 10.0 * nCD / (0.459 * mu) - PressureTerm(pressureRatio, 11.0f);
}

double OzoneADZenithAtMu(const StationSetup& setup, double nAD, const QString& zenithKind,
                         double mu, double airMass) {
    const double x = nAD / 100.0 + 0.01 * airMass;
    const double p1 = Polynomial(setup.CloudCoef1, mu, x);
    if (zenithKind == QLatin1String("ZC")) {
        const double p2 = Polynomial(setup.CloudCoef2, mu, p1);
        return 1000.0 * 0.9743 * (p1 - p2 - 0.008999999);
    }
    return 1000.0 * 0.9743 * p1;
}

double OzoneCDZenithAtMu(double nCD, double mu, float pressureRatio) {
    const double divisor = 1.25 - 0.076 * mu;
    if (divisor <= 0) {
        return kOzoneNotCalculated;
    }
    return OzoneCDAtMu(nCD, mu, pressureRatio) / divisor;
}

OzoneResult OzoneAD(const StationSetup& setup, double nAD, DateTimeValue utc) {
    const double mu = SunMu(setup, utc);
    return {OzoneADAtMu(nAD, mu, setup.PressureRatio), mu};
}

OzoneResult OzoneCD(const StationSetup& setup, double nCD, DateTimeValue utc) {
    const double mu = SunMu(setup, utc);
    return {OzoneCDAtMu(nCD, mu, setup.PressureRatio), mu};
}

OzoneResult OzoneADZenith(const StationSetup& setup, double nAD, const QString& zenithKind,
                          DateTimeValue utc) {
    // A station whose cloud polynomial does not fit uses the direct-sun form.
    if (setup.StationCode == QLatin1String("AHT")) {
        return OzoneAD(setup, nAD, utc);
    }
    const double cosZ = SunCosZenith(setup, utc);
    const double airMass = KastenAirMass(cosZ, RadToDeg(ArcCos(cosZ)));
    if (airMass == kNoAirMass) {
        return {};
    }
    const double mu = MuFromCosZenith(cosZ, setup.LayerFactor);
    return {OzoneADZenithAtMu(setup, nAD, zenithKind, mu, airMass), mu};
}

OzoneResult OzoneCDZenith(const StationSetup& setup, double nCD, DateTimeValue utc) {
    const double mu = SunMu(setup, utc);
    const double ozone = OzoneCDZenithAtMu(nCD, mu, setup.PressureRatio);
    if (ozone == kOzoneNotCalculated) {
        return {};
    }
    return {ozone, mu};
}

double OzoneSpreadAD(double spread, double mu) {
    return 10.0 * spread / (1.432 * mu);
}

double OzoneSpreadCD(double spread, double mu) {
    return 10.0 * spread / (0.459 * mu);
}

} // namespace quillon
