// The configuration files read at start-up: layouts, fallbacks, derived
// values and the fatal file error that stops a station on a bad file.
#include "config/FatalFileError.h"
#include "config/GetInfo.h"
#include "config/LampTests.h"
#include "config/ParameterText.h"
#include "support/Recorders.h"
#include "support/TestStation.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// Runs the readers and returns the fatal error's box text (empty if none).
QString FatalText(const TestStation& station, SharedVars* out = nullptr,
                  RecordingMessages* messages = nullptr) {
    SharedVars vars;
    vars.HomeDir = station.Home();
    RecordingMessages local;
    try {
        ReadConfiguration(vars, messages ? *messages : local);
    } catch (const FatalFileError& error) {
        return error.BoxText();
    }
    if (out) {
        *out = vars;
    }
    return {};
}

} // namespace

TEST(InstrumentId, SuffixRule) {
    EXPECT_EQ(InstrumentIdFor(5), "05");
    EXPECT_EQ(InstrumentIdFor(8), "08");
    EXPECT_EQ(InstrumentIdFor(83), "083");
    EXPECT_EQ(InstrumentIdFor(99), "99");
    EXPECT_EQ(InstrumentIdFor(105), "105");
}

TEST(ReadConfiguration, DemoStationLoadsWithDerivedValues) {
    TestStation station;
    SharedVars vars;
    RecordingMessages messages;
    ASSERT_EQ(FatalText(station, &vars, &messages), QString());
    EXPECT_TRUE(messages.titles.isEmpty());
    EXPECT_EQ(vars.StationName, "Boulder, Colorado");
    EXPECT_EQ(vars.StationCode, "BDR");
    EXPECT_EQ(vars.InstrumentId, "061");
    EXPECT_EQ(vars.ConfigDir, station.Home() + "config/");
    EXPECT_FALSE(vars.EncoderInUse);
    EXPECT_EQ(vars.NTable[0][0], 0.0);
    EXPECT_NEAR(vars.NTable[29][2], 0.842 * 290 + 0.00016 * 290 * 290, 0.06);
    EXPECT_DOUBLE_EQ(vars.LampCorr[2], 0.2);
    EXPECT_EQ(vars.ArchiveUser, "dobson");
    EXPECT_EQ(vars.CommentText, "New Ftp Site Defined");
    EXPECT_FLOAT_EQ(vars.PressureRatio, 836.0f / 1013.0f);
}

TEST(ReadDirectories, SeparatorsRelativePathsAndEncoderPort) {
    TestStation station;
    station.Write("disc.cfg", "config\r\n data\\\r\n/tmp/quillon-hist\r\nCOM2\r\n");
    SharedVars vars;
    vars.HomeDir = station.Home();
    ReadDirectories(vars);
    EXPECT_EQ(vars.ConfigDir, station.Home() + "config/");
    EXPECT_EQ(vars.DataDir, station.Home() + "data/");
    EXPECT_EQ(vars.HistoryDir, "/tmp/quillon-hist/");
    EXPECT_TRUE(vars.EncoderInUse);
    EXPECT_EQ(vars.EncoderPort, "COM2");

    station.Write("disc.cfg", "\"config\",\"data\",\"history\"\r\n");
    ReadDirectories(vars);
    EXPECT_FALSE(vars.EncoderInUse);
    EXPECT_EQ(vars.HistoryDir, station.Home() + "history/");
}

TEST(ReadInstrument, SevenItemsLeaveDatesUnknownUntilLampFileGivesOne) {
    TestStation station;
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\"\r\n");
    station.Remove("config/lampcorr.061");
    SharedVars vars;
    RecordingMessages messages;
    messages.Expect("Lamp Adjustments not Found.");
    ASSERT_EQ(FatalText(station, &vars, &messages), QString());
    EXPECT_EQ(vars.LastHgTest, "UNKNOWN");
    EXPECT_EQ(vars.LastStdTest, "UNKNOWN");
    EXPECT_FALSE(LampTestsDue(vars, MakeDateTime(2026, 12, 1)).due);
    // The missing lamp file: zeros, "None", and the operator is told.
    ASSERT_EQ(messages.titles.size(), 1);
    EXPECT_EQ(messages.titles[0], "Lamp Adjustments not Found.");
    EXPECT_EQ(messages.texts[0], "LAMPCORR.061 Not Found in \n" + vars.ConfigDir +
                                     "\nCorrections of 0.0 will be used.");
    EXPECT_EQ(vars.LampCorrDate, "None");
    EXPECT_EQ(vars.LampCorrLamp, "None");
    EXPECT_EQ(vars.LampCorr, (std::array<double, 4>{0, 0, 0, 0}));

    station.Write("config/lampcorr.061", "\"11/30/2006\",\"L1\",0.1,0.2,0.3,0.4\r\n");
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.LastStdTest, "11/30/2006");
    EXPECT_EQ(vars.LastHgTest, "UNKNOWN");
}

TEST(ReadInstrument, NumbersNameTheFiles) {
    TestStation station;
    const QByteArray table = station.Read("config/ntable.061");
    const QByteArray lamp = station.Read("config/lampcorr.061");
    for (const auto& [number, suffix] :
         {std::pair{"105", "105"}, std::pair{"99", "99"}, std::pair{"5", "05"}}) {
        station.Write("config/inst.cfg",
                      QByteArray(number) + ",-0.25,96.5,118.2,132.7,174.3,\"x\"\r\n");
        station.Write(QString("config/ntable.") + suffix, table);
        station.Write(QString("config/lampcorr.") + suffix, lamp);
        SharedVars vars;
        ASSERT_EQ(FatalText(station, &vars), QString()) << number;
        EXPECT_EQ(vars.InstrumentId, suffix);
    }
}

TEST(ReadStation, ItemsOnOneLineAndDerivedValues) {
    TestStation station;
    station.Write(
        "config/station.cfg",
        "6371000, 105.25, 40.04, 7, 1013, 1600, 22000, 67, \"Name, with comma\", ABC\r\n");
    SharedVars vars;
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.StationName, "Name, with comma");
    EXPECT_EQ(vars.StationCode, "ABC");
    EXPECT_EQ(vars.PressureRatio, 1.0f);
    EXPECT_NEAR(vars.LayerFactor, 0.99363, 0.00001);
    EXPECT_DOUBLE_EQ(vars.LayerFactor, (6372600.0 / 6393000.0) * (6372600.0 / 6393000.0));
    EXPECT_DOUBLE_EQ(vars.LatitudeRad, 40.04 * 3.14159265359 / 180);
}

TEST(FatalFileError, LabelsAndTextOfEachMandatoryFile) {
    TestStation station;
    station.Remove("config/inst.cfg");
    EXPECT_EQ(FatalText(station),
              "Error # 53:" + station.ConfigDir() + ":INST.CFG\nFile not found\nSystem is stopped");

    TestStation noDisc;
    noDisc.Remove("disc.cfg");
    EXPECT_EQ(FatalText(noDisc),
              "Error # 53:" + noDisc.Home() + ":disk.cfg\nFile not found\nSystem is stopped");

    TestStation noTable;
    noTable.Remove("config/ntable.061");
    EXPECT_TRUE(FatalText(noTable).contains(":Ntable.061\n"));

    TestStation noCloud;
    noCloud.Remove("config/Cloud.txt");
    EXPECT_TRUE(FatalText(noCloud).contains(":Cloud Parameters\n"));

    TestStation noStation;
    noStation.Remove("config/station.cfg");
    EXPECT_TRUE(FatalText(noStation).contains(":STATION.CFG\n"));
}

TEST(FatalFileError, MissingOrNonNumericMandatoryItems) {
    TestStation station;
    station.Write("config/inst.cfg", "61,-0.25,96.5\r\n");
    EXPECT_EQ(FatalText(station), "Error # 62:" + station.ConfigDir() +
                                      ":INST.CFG\nInput past end of file: item 4 is missing\n"
                                      "System is stopped");
    station.Write("config/inst.cfg", "61,-0.25,96.5,abc,132.7,174.3,\"x\"\r\n");
    EXPECT_EQ(FatalText(station), "Error # 13:" + station.ConfigDir() +
                                      ":INST.CFG\nType mismatch: item 4 is not a number: \"abc\"\n"
                                      "System is stopped");
    TestStation shortCloud;
    shortCloud.Write("config/Cloud.txt", "1,2,3\r\n");
    EXPECT_TRUE(FatalText(shortCloud).contains("item 4 is missing"));
}

TEST(ReadArchiveSite, MissingFileUsesDefaults) {
    TestStation station;
    station.Remove("config/CallHome.cfg");
    SharedVars vars;
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.ArchiveUrl, kDefaultArchiveUrl);
    EXPECT_EQ(vars.ArchiveUser, "K5sndr");
    EXPECT_EQ(vars.ArchivePassword, "mika_rpt");
    EXPECT_EQ(vars.CommentText, "Using K5Sndr site");
}

TEST(LampTestsDue, AgesAndTheFirstWeekRule) {
    SharedVars vars;
    vars.LastStdTest = "UNKNOWN";
    vars.LastHgTest = "11/06/2006"; // 25 days before 1 December
    LampTestAges ages = LampTestsDue(vars, MakeDateTime(2006, 12, 1, 12));
    EXPECT_EQ(ages.mercury, 25);
    EXPECT_EQ(ages.standard, kUnknownAge);
    EXPECT_TRUE(ages.due);
    EXPECT_EQ(LampAgeText(ages.standard), "Not Known");
    EXPECT_FALSE(LampTestsDue(vars, MakeDateTime(2006, 12, 8)).due); // 32 days, day 8
    EXPECT_TRUE(LampTestsDue(vars, MakeDateTime(2006, 12, 16)).due); // 40 days
    vars.LastHgTest = "UNKNOWN";
    EXPECT_FALSE(LampTestsDue(vars, MakeDateTime(2006, 12, 1)).due);
}

TEST(ParameterText, ScreenFormats) {
    TestStation station;
    const SharedVars vars = LoadedVars(station);
    const QList<LabelledValue> stationLines = StationParameterLines(vars);
    EXPECT_EQ(stationLines[2].label, "Latitude:");
    EXPECT_EQ(stationLines[2].value, "40.0375");
    EXPECT_EQ(stationLines[4].value, " 1689");
    const QList<LabelledValue> instrument = InstrumentParameterLines(vars);
    EXPECT_EQ(instrument[0].value, "061");
    EXPECT_EQ(instrument[1].value, "-.25");
    // The four corrections stand under their heading.
    EXPECT_EQ(instrument[9].label, "N value adjustments from");
    EXPECT_EQ(instrument[10].label, "A:");
    EXPECT_EQ(instrument[12].label, "Cprime:");
    EXPECT_EQ(instrument[12].value, "0.2");
}
