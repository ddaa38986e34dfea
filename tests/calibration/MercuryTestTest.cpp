// SPDX-License-Identifier: GPL-3.0-or-later
// The mercury lamp test without widgets: the evaluation's swap, spread,
// separation and completeness rules, the temperatures, the verdict, the
// HGLAMP record byte for byte, and Done(Save) with inst.cfg read back.
#include "calibration/MercuryTest.h"
#include "calibration/MercuryFixtures.h"
#include "config/GetInfo.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

StationState Demo() {
    StationState v;
    v.calibration.Q15Hg = 74.3;
    v.calibration.TempCoeff = -0.25;
    return v;
}

} // namespace

TEST(MercuryTest, SwapAverageTableValueAndCompleteness) {
    const StationState v = Demo();
    // Five pairs typed lower first: swapped so the larger value is upper.
    MercuryEvaluation e = EvaluateReadings(
        v.calibration,
        Pairs({{70.6, 78.0}, {70.6, 78.0}, {70.6, 78.0}, {70.6, 78.0}, {70.6, 78.0}}));
    EXPECT_EQ(e.warning, MercuryWarning::None);
    EXPECT_EQ(e.pairs, 5);
    EXPECT_DOUBLE_EQ(e.boxes[0], 78.0);
    EXPECT_DOUBLE_EQ(e.boxes[1], 70.6);
    EXPECT_NEAR(e.testAverage, 74.3, 1e-9);
    EXPECT_NEAR(e.separation, 7.4, 1e-9);
    // 20.0 and 21.0: average 20.5, table 74.3 - 0.25 x 5.5 = 72.925.
    EXPECT_NEAR(e.averageTemperature, 20.5, 1e-12);
    EXPECT_NEAR(e.tableValue, 72.925, 1e-9);
    EXPECT_NEAR(e.difference, 1.375, 1e-9);
    EXPECT_TRUE(e.complete);

    // Three equal pairs are complete; one differing reading is not.
    EXPECT_TRUE(EvaluateReadings(v.calibration, Pairs({{78.0, 70.6}, {78.0, 70.6}, {78.0, 70.6}}))
                    .complete);
    EXPECT_FALSE(EvaluateReadings(v.calibration, Pairs({{78.0, 70.6}, {78.1, 70.6}, {78.0, 70.6}}))
                     .complete);
    // Two pairs never are; nor five without the temperatures.
    EXPECT_FALSE(EvaluateReadings(v.calibration, Pairs({{78.0, 70.6}, {78.0, 70.6}})).complete);
    MercuryEntries noTemps = Pairs({{78, 70.6}, {78, 70.6}, {78, 70.6}, {78, 70.6}, {78, 70.6}});
    noTemps.endTemperature.reset();
    EXPECT_FALSE(EvaluateReadings(v.calibration, noTemps).complete);
    // Uppers and lowers not in equal numbers: no evaluation.
    MercuryEntries odd = Pairs({{78.0, 70.6}});
    odd.boxes[2] = 78.0;
    EXPECT_EQ(EvaluateReadings(v.calibration, odd).pairs, 0);
}

TEST(MercuryTest, SpreadSeparationAndTemperatureLimits) {
    const StationState v = Demo();
    // Uppers 0.6 apart raise HighVar, 0.5 apart do not.
    EXPECT_EQ(EvaluateReadings(v.calibration, Pairs({{48.2, 41.0}, {48.8, 41.0}})).warning,
              MercuryWarning::HighVar);
    EXPECT_EQ(EvaluateReadings(v.calibration, Pairs({{48.2, 41.0}, {48.7, 41.0}})).warning,
              MercuryWarning::None);
    EXPECT_EQ(EvaluateReadings(v.calibration, Pairs({{48.0, 41.2}, {48.0, 41.8}})).warning,
              MercuryWarning::HighVar);
    // Separation 5 and 12 accepted, 4.99 and 12.01 warned.
    EXPECT_EQ(EvaluateReadings(v.calibration, Pairs({{50.0, 45.0}})).warning, MercuryWarning::None);
    EXPECT_EQ(EvaluateReadings(v.calibration, Pairs({{57.0, 45.0}})).warning, MercuryWarning::None);
    const MercuryEvaluation narrow = EvaluateReadings(v.calibration, Pairs({{49.99, 45.0}}));
    EXPECT_EQ(narrow.warning, MercuryWarning::Hgdiff);
    EXPECT_EQ(WarningText(narrow.warning, narrow).lines[1],
              "The difference between the upper and lower reading is:4.99");
    EXPECT_EQ(EvaluateReadings(v.calibration, Pairs({{57.01, 45.0}})).warning,
              MercuryWarning::Hgdiff);
    // Temperatures 1.0 apart accepted, 1.1 apart warned.
    EXPECT_EQ(UpdateTemperatures(v.calibration, 20.0, 21.0).warning, MercuryWarning::None);
    EXPECT_EQ(UpdateTemperatures(v.calibration, 20.0, 21.1).warning, MercuryWarning::BigTempDiff);
    EXPECT_EQ(WarningText(MercuryWarning::BigTempDiff, {}).title,
              "Large Temperature difference between start and end.");
    // An average of exactly 0 is taken as 0.005: 74.3 - 0.25 x (0.005 - 15).
    const MercuryEvaluation zero = UpdateTemperatures(v.calibration, -0.5, 0.5);
    EXPECT_DOUBLE_EQ(zero.averageTemperature, 0.005);
    EXPECT_NEAR(zero.tableValue, 78.04875, 1e-9);
    // The boxes' ranges.
    EXPECT_TRUE(MercuryReadingInRange(30.0));
    EXPECT_TRUE(MercuryReadingInRange(120.0));
    EXPECT_FALSE(MercuryReadingInRange(29.9));
    EXPECT_FALSE(MercuryReadingInRange(120.1));
    EXPECT_TRUE(MercuryTemperatureInRange(-5.0));
    EXPECT_TRUE(MercuryTemperatureInRange(40.0));
    EXPECT_FALSE(MercuryTemperatureInRange(-5.1));
    EXPECT_FALSE(MercuryTemperatureInRange(40.1));
    // The verdict: +0.29 passes, 0.30 either way fails.
    EXPECT_TRUE(MercuryTestPasses(0.29));
    EXPECT_FALSE(MercuryTestPasses(0.30));
    EXPECT_FALSE(MercuryTestPasses(-0.30));
    EXPECT_EQ(VerdictText(0.29).name, "Hgpass");
    EXPECT_EQ(VerdictText(-0.3).lines[1], "The test value differs from the table by:-0.30");
}

TEST(MercuryTest, DoneSaveWritesTheRecordTwiceAndTheDate) {
    TestStation station;
    StationState vars = LoadedVars(station);
    vars.settings.ObserverInitials = "JKL";
    // 17:15:30 UTC is 10:15:30 local at Boulder (UTC-7).
    FakeClock clock(MakeDateTime(2006, 3, 24, 17, 15, 30));
    RecordingMessages messages;
    vars.calibration.QTableDate = "24 Mar 2006";
    const MercuryEntries entries = Pairs({{78.0, 70.6}, {78.0, 70.6}, {78.0, 70.6}});
    const MercuryEvaluation e = EvaluateReadings(vars.calibration, entries);
    ASSERT_TRUE(e.complete);
    ASSERT_TRUE(
        SaveMercuryTest(vars.setup, vars.day, vars.calibration, clock, messages, e, entries));
    const QStringList expected = {
        "HGLAMP,03/24/2006,10:15:30,  20.0, 21.0", "  78.0   78.0   78.0   00.0   00.0 ",
        "  70.6   70.6   70.6   00.0   00.0 ", "   74.30   72.93   01.38  24 Mar 2006"};
    EXPECT_EQ(SplitLines(DecodeWindows1252(station.Read("history/hghist.061"))), expected);
    const QStringList day = SplitLines(DecodeWindows1252(station.Read("data/D06083.999")));
    EXPECT_EQ(day.mid(day.size() - 4), expected);
    EXPECT_EQ(vars.calibration.LastHgTest, "03/24/2006");
    // inst.cfg read back: the new date, everything else as it was.
    StationState again;
    again.setup.HomeDir = station.Home();
    RecordingMessages quiet;
    ASSERT_TRUE(ReadConfiguration(again.setup, again.calibration, quiet).ok());
    EXPECT_EQ(again.calibration.LastHgTest, "03/24/2006");
    EXPECT_EQ(again.calibration.LastStdTest, "11/30/2026");
    EXPECT_DOUBLE_EQ(again.calibration.Q15Hg, 74.3);
    EXPECT_DOUBLE_EQ(again.calibration.TempCoeff, -0.25);
    EXPECT_EQ(again.calibration.QTableDate, "24 Mar 2006");
}

TEST(MercuryTest, TheFormsBoxesReadAndCheckedAsTheOperatorEntersThem) {
    EXPECT_DOUBLE_EQ(MercuryBoxNumber(" 76.6 "), 76.6);
    EXPECT_DOUBLE_EQ(MercuryBoxNumber("7x"), 0.0); // no number reads as 0
    // A reading: 30 to 120, both ends in; empty asks for it; out of range
    // is named and emptied.
    EXPECT_EQ(CheckMercuryReading("30").value, std::optional<double>(30.0));
    EXPECT_EQ(CheckMercuryReading("120").value, std::optional<double>(120.0));
    const MercuryBoxEntry low = CheckMercuryReading("29.9");
    EXPECT_EQ(low.value, std::nullopt);
    EXPECT_EQ(low.message, "29.9 is out of range. ");
    EXPECT_TRUE(low.clearBox);
    EXPECT_EQ(CheckMercuryReading("120.1").message, "120.1 is out of range. ");
    const MercuryBoxEntry empty = CheckMercuryReading("  ");
    EXPECT_EQ(empty.value, std::nullopt);
    EXPECT_EQ(empty.message, "Enter Reading or Press Escape");
    EXPECT_FALSE(empty.clearBox);
    // A temperature: -5 to 40.
    EXPECT_EQ(CheckMercuryTemperature("-5").value, std::optional<double>(-5.0));
    EXPECT_EQ(CheckMercuryTemperature("40").value, std::optional<double>(40.0));
    EXPECT_EQ(CheckMercuryTemperature("-5.1").message, "-5.1 is out of range. ");
    EXPECT_EQ(CheckMercuryTemperature("40.1").message, "40.1 is out of range. ");
    EXPECT_EQ(CheckMercuryTemperature("").message, "Enter Temperature or Press Escape");

    std::array<QString, 10> boxes;
    boxes[0] = "78.0";
    boxes[1] = " 70.6";
    const MercuryEntries entries = MercuryEntriesFrom(boxes, "20.5", " ");
    EXPECT_DOUBLE_EQ(entries.boxes[0], 78.0);
    EXPECT_DOUBLE_EQ(entries.boxes[1], 70.6);
    EXPECT_DOUBLE_EQ(entries.boxes[2], 0.0);
    EXPECT_EQ(entries.startTemperature, std::optional<double>(20.5));
    EXPECT_EQ(entries.endTemperature, std::nullopt);
}
