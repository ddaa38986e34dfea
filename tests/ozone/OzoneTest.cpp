// SPDX-License-Identifier: GPL-3.0-or-later
// R-dial to N, Q settings, observation means and the ozone formulas, with
// the worked values checked by hand.
#include "ozone/OzoneCalc.h"
#include "ozone/Reduction.h"
#include "support/TestStation.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
StationState TableVars() {
    StationState vars;
    for (size_t r = 0; r < 30; ++r) {
        const double R = 10.0 * static_cast<double>(r);
        vars.calibration.NTable[r] = {R + 0.001 * R * R, 0.9 * R, 0.8 * R + 1};
    }
    vars.calibration.LampCorr = {0.5, -0.25, 2.0, 1.0}; // A, C, C', D
    vars.setup.PressureRatio = 1.0f;
    return vars;
}
} // namespace

TEST(RtoN, TableRowsInterpolationAndExtrapolation) {
    const StationState v = TableVars();
    auto A = [&](double r) { return RtoN(v.calibration, kWavelengthA, r) - 0.5; };
    EXPECT_DOUBLE_EQ(A(0), 0.0);
    EXPECT_DOUBLE_EQ(A(10), 10.1);
    EXPECT_DOUBLE_EQ(A(280), v.calibration.NTable[28][0]);
    EXPECT_DOUBLE_EQ(A(5), (0 + 10.1) / 2);
    EXPECT_DOUBLE_EQ(A(290), v.calibration.NTable[29][0]);
    EXPECT_DOUBLE_EQ(A(300), v.calibration.NTable[29][0] +
                                 (v.calibration.NTable[29][0] - v.calibration.NTable[28][0]));
    EXPECT_DOUBLE_EQ(A(-10), -10.1); // below the table, the first interval extended
    EXPECT_NEAR(A(123.4),
                v.calibration.NTable[12][0] +
                    (v.calibration.NTable[13][0] - v.calibration.NTable[12][0]) * 0.34,
                1e-12);
    // C' uses the C column and the third correction; D the fourth.
    EXPECT_DOUBLE_EQ(RtoN(v.calibration, kWavelengthCPrime, 100), 90.0 + 2.0);
    EXPECT_DOUBLE_EQ(RtoN(v.calibration, kWavelengthC, 100), 90.0 - 0.25);
    EXPECT_DOUBLE_EQ(RtoN(v.calibration, kWavelengthD, 100), 81.0 + 1.0);
}

TEST(QSet, TemperatureRule) {
    StationState v;
    v.calibration.Q15A = 96.5;
    v.calibration.Q15C = 118.2;
    v.calibration.Q15D = 132.7;
    v.calibration.Q15Hg = 174.3;
    v.calibration.TempCoeff = -0.25;
    EXPECT_DOUBLE_EQ(QSetA(v.calibration, 15), 96.5);
    EXPECT_DOUBLE_EQ(QSetA(v.calibration, 25), 96.5 + 6.7 * -0.25);
    EXPECT_DOUBLE_EQ(QSetC(v.calibration, 25), 118.2 + 9.9 * -0.25);
    EXPECT_DOUBLE_EQ(QSetD(v.calibration, 5), 132.7 - 9.7 * -0.25);
    EXPECT_DOUBLE_EQ(QSetHg(v.calibration, 16), 174.3 - 0.25);
}

TEST(ObsMeans, MeansSpreadsAndN) {
    const StationState v = TableVars();
    ObservationReadings r;
    r.first = {100, 110, 120};
    r.firstSd = {0.3, 0.3, 0.3};
    r.second = {50, 70};
    r.secondSd = {0.4, 0.4};
    const ObsMeansResult ad = ObsMeans(v.calibration, "ad", r);
    EXPECT_DOUBLE_EQ(ad.meanFirst, 110);
    EXPECT_DOUBLE_EQ(ad.meanSecond, 60);
    EXPECT_DOUBLE_EQ(ad.spreadFirst, 0.3);
    EXPECT_DOUBLE_EQ(ad.spreadSecond, 0.4);
    EXPECT_NEAR(ad.spread, std::sqrt((0.09 + 0.16) / 2), 1e-12);
    EXPECT_DOUBLE_EQ(ad.nFirst, RtoN(v.calibration, kWavelengthA, 110));
    EXPECT_DOUBLE_EQ(ad.nSecond, RtoN(v.calibration, kWavelengthD, 60));
    EXPECT_DOUBLE_EQ(ObsMeans(v.calibration, "CD", r).nFirst,
                     RtoN(v.calibration, kWavelengthC, 110));
    const ObsMeansResult cc = ObsMeans(v.calibration, "CC", r);
    EXPECT_EQ(cc.nFirst, 0);
    EXPECT_EQ(cc.nSecond, 0);
}

TEST(DirectSunOzone, WorkedValues) {
    EXPECT_NEAR(OzoneADAtMu(143.2, 1.0, 1.0f), 993.0, 1e-9);
    EXPECT_NEAR(OzoneADAtMu(143.2, 2.0, 1.0f), 493.0, 1e-9);
    // N_CD 0.459 (the formula's own worked value) gives 10 - 11.
    EXPECT_NEAR(OzoneCDAtMu(0.459, 1.0, 1.0f), -1.0, 1e-9);
    EXPECT_NEAR(OzoneADAtMu(0, 1.0, 0.5f), -3.5, 1e-9);
    EXPECT_NEAR(OzoneCDAtMu(0, 1.0, 0.5f), -5.5, 1e-9);
    EXPECT_NEAR(OzoneSpreadAD(1.432, 2.0), 5.0, 1e-12);
    EXPECT_NEAR(OzoneSpreadCD(0.459, 1.0), 10.0, 1e-12);
}

TEST(ZenithOzone, PolynomialCoefficientPicking) {
    StationState v;
    v.setup.CloudCoef1.fill(0);
    v.setup.CloudCoef2.fill(0);
    v.setup.CloudCoef1[0] = 0.3;
    EXPECT_NEAR(OzoneADZenithAtMu(v.setup, 120, "ZB", 2.0, 2.1), 292.29, 1e-9);
    EXPECT_NEAR(OzoneADZenithAtMu(v.setup, 120, "ZC", 2.0, 2.1), 974.3 * (0.3 - 0.008999999), 1e-9);
    EXPECT_NEAR(OzoneADZenithAtMu(v.setup, 120, "ZC", 2.0, 2.1), 283.52, 0.01);
    v.setup.CloudCoef1.fill(0);
    v.setup.CloudCoef1[2] = 1; // k = 3: X
    EXPECT_NEAR(OzoneADZenithAtMu(v.setup, 120, "ZB", 2.0, 2.1), 974.3 * (1.2 + 0.021), 1e-9);
    v.setup.CloudCoef1.fill(0);
    v.setup.CloudCoef1[1] = 1; // k = 2: mu
    EXPECT_NEAR(OzoneADZenithAtMu(v.setup, 120, "ZB", 2.5, 2.1), 974.3 * 2.5, 1e-9);
    v.setup.CloudCoef1.fill(0);
    v.setup.CloudCoef1[27] = 1; // k = 28: X^6
    EXPECT_NEAR(OzoneADZenithAtMu(v.setup, 100, "ZB", 2.0, 0.0), 974.3, 1e-9);
    v.setup.CloudCoef1.fill(0);
    v.setup.CloudCoef1[21] = 1; // k = 22: mu^6
    EXPECT_NEAR(OzoneADZenithAtMu(v.setup, 100, "ZB", 2.0, 0.0), 974.3 * 64, 1e-9);
    // Second polynomial: k = 3 of the ten is P1.
    v.setup.CloudCoef1.fill(0);
    v.setup.CloudCoef1[0] = 0.3;
    v.setup.CloudCoef2[2] = 0.5;
    EXPECT_NEAR(OzoneADZenithAtMu(v.setup, 100, "ZC", 2.0, 0.0), 974.3 * (0.3 - 0.15 - 0.008999999),
                1e-9);
}

TEST(ZenithOzone, CdFormAndItsDivisorGuard) {
    EXPECT_NEAR(OzoneCDZenithAtMu(0.459, 1.0, 1.0f), -1.0 / 1.174, 1e-9);
    EXPECT_NEAR(OzoneCDZenithAtMu(0.459, 1.0, 1.0f), -0.85, 0.005);
    EXPECT_EQ(OzoneCDZenithAtMu(50, 1.25 / 0.076, 1.0f), kOzoneNotCalculated);
    EXPECT_EQ(OzoneCDZenithAtMu(50, 17.0, 1.0f), kOzoneNotCalculated);
    EXPECT_GT(OzoneCDZenithAtMu(50, 16.0, 1.0f), 0.0);
}

TEST(Reduction, TypesAndNotCalculatedValues) {
    TestStation station;
    StationState vars = LoadedVars(station);
    ReductionInput in;
    in.meanUtc = MakeDateTime(2026, 12, 8, 19, 0, 0);
    in.readings = {170, 80, 171, 81, 172};
    in.deviations = {0.1, 0.2, 0.1, 0.2, 0.1};

    in.type = "ADDSGQP";
    const ReductionResult ad = ReduceObservation(vars.setup, vars.calibration, in);
    EXPECT_TRUE(ad.calculated);
    EXPECT_NEAR(ad.mu, 2.164, 0.01);
    EXPECT_DOUBLE_EQ(ad.ozone, OzoneADAtMu(ad.n1 - ad.n2, ad.mu, vars.setup.PressureRatio));
    EXPECT_DOUBLE_EQ(ad.ozoneSpread, OzoneSpreadAD(ad.spread, ad.mu));

    in.type = "CDZC";
    const ReductionResult cdz = ReduceObservation(vars.setup, vars.calibration, in);
    EXPECT_DOUBLE_EQ(cdz.ozone,
                     OzoneCDZenithAtMu(cdz.n1 - cdz.n2, cdz.mu, vars.setup.PressureRatio));
    EXPECT_DOUBLE_EQ(cdz.ozoneSpread, OzoneSpreadCD(cdz.spread, cdz.mu));

    in.type = "CCZB";
    const ReductionResult cc = ReduceObservation(vars.setup, vars.calibration, in);
    EXPECT_EQ(cc.ozone, kOzoneNotCalculated);
    EXPECT_EQ(cc.ozoneSpread, kSpreadNotCalculated);
    EXPECT_NEAR(cc.mu, 2.164, 0.01);
    EXPECT_EQ(cc.n1, 0);

    in.type = "ADRMFI";
    const ReductionResult moon = ReduceObservation(vars.setup, vars.calibration, in);
    EXPECT_EQ(moon.ozone, kOzoneNotCalculated);
    EXPECT_EQ(moon.mu, kMuNotCalculated);
    EXPECT_EQ(moon.ozoneSpread, kSpreadNotCalculated);

    // At station "AHT" AD zenith uses the direct-sun form.
    vars.setup.StationCode = "AHT";
    in.type = "ADZB";
    const ReductionResult aht = ReduceObservation(vars.setup, vars.calibration, in);
    EXPECT_DOUBLE_EQ(aht.ozone, OzoneADAtMu(aht.n1 - aht.n2, aht.mu, vars.setup.PressureRatio));
}
