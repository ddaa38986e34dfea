// SPDX-License-Identifier: GPL-3.0-or-later
// Sun position, mu, air mass and day of year: the worked values and edges.
#include "astro/AstroFunctions.h"
#include "support/TestStation.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(JulianDay, EpochsAndSignRule) {
    EXPECT_DOUBLE_EQ(JulianDay(MakeDateTime(2000, 1, 1, 12, 0, 0)), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianDay(MakeDateTime(2000, 1, 1, 0, 0, 0)), 2451544.5);
    EXPECT_DOUBLE_EQ(JulianDay(MakeDateTime(2006, 3, 24, 18, 0, 0)), 2453819.25);
}

TEST(DayOfYearFromText, ValidAndRefusedTexts) {
    EXPECT_EQ(DayOfYearFromText("03/01/2004"), 61);
    EXPECT_EQ(DayOfYearFromText("03/01/2005"), 60);
    EXPECT_EQ(DayOfYearFromText("01/31/2005"), 31);
    EXPECT_EQ(DayOfYearFromText("02/30/2005"), 999);
    EXPECT_EQ(DayOfYearFromText("1/5/2005"), 999);
    EXPECT_EQ(DayOfYearFromText("12/31/2100"), 366);
    EXPECT_EQ(DayOfYearFromText("13/01/2005"), 999);
    EXPECT_EQ(DayOfYearFromText("00/01/2005"), 999);
    EXPECT_EQ(DayOfYearFromText("01/00/2005"), 999);
    EXPECT_EQ(DayOfYearFromText("01/32/2005"), 999);
}

TEST(MuFromCosZenith, ZenithHorizonAndBelow) {
    const double k = 0.99363;
    EXPECT_DOUBLE_EQ(MuFromCosZenith(1.0, k), 1.0);
    EXPECT_NEAR(MuFromCosZenith(1e-9, k), 1.0 / std::sqrt(1.0 - k), 1e-6);
    EXPECT_NEAR(MuFromCosZenith(1e-9, k), 12.53, 0.01);
    EXPECT_LT(MuFromCosZenith(-0.1, k), 0);
    EXPECT_DOUBLE_EQ(MuFromCosZenith(-0.5, k), -MuFromCosZenith(0.5, k));
}

TEST(ArcCos, EdgesAsTheStationComputesThem) {
    EXPECT_EQ(ArcCos(0.99995), 0.0);
    EXPECT_EQ(ArcCos(-0.99995), kPi);
    EXPECT_DOUBLE_EQ(ArcCos(0.0), kPi / 2);
    EXPECT_NEAR(ArcCos(0.5), std::acos(0.5), 1e-9);
    EXPECT_TRUE(std::isnan(ArcCos(1.5)));
    EXPECT_DOUBLE_EQ(DegToRad(180.0), kPi);
    EXPECT_DOUBLE_EQ(RadToDeg(kPi), 180.0);
}

TEST(SunPosition, HourAngleInRangeAndDeclinationOfTheSeasons) {
    for (int month = 1; month <= 12; ++month) {
        const DateTimeValue t = MakeDateTime(2026, month, 15, 23, 59, 0);
        const SunPlace sun = SunPosition(JulianDay(t), 23.98);
        EXPECT_GE(sun.greenwichHourAngle, 0.0);
        EXPECT_LE(sun.greenwichHourAngle, 2 * kPi);
    }
    EXPECT_NEAR(RadToDeg(SunPosition(JulianDay(MakeDateTime(2026, 6, 21, 12)), 12).declination),
                23.44, 0.05);
    EXPECT_NEAR(RadToDeg(SunPosition(JulianDay(MakeDateTime(2026, 12, 21, 12)), 12).declination),
                -23.44, 0.05);
}

TEST(SunMu, DemoStationAtNoonAndNight) {
    TestStation station;
    const StationState vars = LoadedVars(station);
    // Boulder, 8 December at local noon: the sun about 27 degrees high.
    const DateTimeValue noon = MakeDateTime(2026, 12, 8, 19, 0, 0);
    EXPECT_NEAR(SunZenithAngle(vars.setup, noon), 62.8, 0.2);
    EXPECT_NEAR(SunMu(vars.setup, noon), 2.164, 0.01);
    EXPECT_NEAR(SunAirMass(vars.setup, noon), 2.18, 0.01);
    // At local midnight the sun is far below: negative mu, no air mass.
    const DateTimeValue night = MakeDateTime(2026, 12, 9, 7, 0, 0);
    EXPECT_LT(SunMu(vars.setup, night), -1.0);
    EXPECT_GT(SunZenithAngle(vars.setup, night), 93.885);
    EXPECT_EQ(SunAirMass(vars.setup, night), kNoAirMass);
}

TEST(SunAirMass, KastenJustBelowTheHorizonKeepsTheSignRule) {
    TestStation station;
    const StationState vars = LoadedVars(station);
    // Step through a sunset and find a moment with the sun 1-3 degrees down.
    for (int s = 0; s < 4 * 3600; s += 30) {
        const DateTimeValue t = MakeDateTime(2026, 12, 8, 23, 0, 0) + s / 86400.0;
        const double z = SunZenithAngle(vars.setup, t);
        if (z > 91 && z < 93) {
            const double cosZ = std::cos(DegToRad(z));
            EXPECT_LT(SunAirMass(vars.setup, t), 0.0);
            EXPECT_NEAR(SunAirMass(vars.setup, t), -KastenAirMass(cosZ, z), 1e-6);
            return;
        }
    }
    FAIL() << "no sunset found";
}
