// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration files read at start-up: layouts, fallbacks, derived
// values and the fatal file error that stops a station on a bad file.
#include "config/FatalFileError.h"
#include "config/GetInfo.h"
#include "config/LampTests.h"
#include "config/ParameterText.h"
#include "support/Recorders.h"
#include "support/TestStation.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// Runs the readers and returns the fatal error's box text (empty if none).
QString FatalText(const TestStation& station, StationState* out = nullptr,
                  RecordingMessages* messages = nullptr) {
    StationState vars;
    vars.setup.HomeDir = station.Home();
    RecordingMessages local;
    const Result<void> read =
        ReadConfiguration(vars.setup, vars.calibration, messages ? *messages : local);
    if (!read) {
        return read.error().message;
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
    StationState vars;
    RecordingMessages messages;
    ASSERT_EQ(FatalText(station, &vars, &messages), QString());
    EXPECT_TRUE(messages.titles.isEmpty());
    EXPECT_EQ(vars.setup.StationName, "Boulder, Colorado");
    EXPECT_EQ(vars.setup.StationCode, "BDR");
    EXPECT_EQ(vars.setup.InstrumentId, "061");
    EXPECT_EQ(vars.setup.ConfigDir, station.Home() + "config/");
    EXPECT_FALSE(vars.setup.EncoderInUse);
    EXPECT_EQ(vars.calibration.NTable[0][0], 0.0);
    EXPECT_NEAR(vars.calibration.NTable[29][2], 0.842 * 290 + 0.00016 * 290 * 290, 0.06);
    EXPECT_DOUBLE_EQ(vars.calibration.LampCorr[2], 0.2);
    const ArchiveSite site = ReadArchiveSite(vars.setup.ConfigDir);
    EXPECT_EQ(site.user, "dobson");
    EXPECT_EQ(site.startComment, "New Ftp Site Defined");
    EXPECT_FLOAT_EQ(vars.setup.PressureRatio, 836.0f / 1013.0f);
}

TEST(ReadDirectories, SeparatorsRelativePathsAndEncoderPort) {
    TestStation station;
    station.Write("disc.cfg", "config\r\n data\\\r\n/tmp/quillon-hist\r\nCOM2\r\n");
    StationState vars;
    vars.setup.HomeDir = station.Home();
    ASSERT_TRUE(ReadDirectories(vars.setup).ok());
    EXPECT_EQ(vars.setup.ConfigDir, station.Home() + "config/");
    EXPECT_EQ(vars.setup.DataDir, station.Home() + "data/");
    EXPECT_EQ(vars.setup.HistoryDir, "/tmp/quillon-hist/");
    EXPECT_TRUE(vars.setup.EncoderInUse);
    EXPECT_EQ(vars.setup.EncoderPort, "COM2");

    station.Write("disc.cfg", "\"config\",\"data\",\"history\"\r\n");
    ASSERT_TRUE(ReadDirectories(vars.setup).ok());
    EXPECT_FALSE(vars.setup.EncoderInUse);
    EXPECT_EQ(vars.setup.HistoryDir, station.Home() + "history/");
}

TEST(ReadInstrument, SevenItemsLeaveDatesUnknownUntilLampFileGivesOne) {
    TestStation station;
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\"\r\n");
    station.Remove("config/lampcorr.061");
    StationState vars;
    RecordingMessages messages;
    messages.Expect("Lamp Adjustments not Found.");
    ASSERT_EQ(FatalText(station, &vars, &messages), QString());
    EXPECT_EQ(vars.calibration.LastHgTest, "UNKNOWN");
    EXPECT_EQ(vars.calibration.LastStdTest, "UNKNOWN");
    EXPECT_FALSE(LampTestsDue(vars.calibration, MakeDateTime(2026, 12, 1)).due);
    // The missing lamp file: zeros, "None", and the operator is told.
    ASSERT_EQ(messages.titles.size(), 1);
    EXPECT_EQ(messages.titles[0], "Lamp Adjustments not Found.");
    EXPECT_EQ(messages.texts[0], "LAMPCORR.061 Not Found in \n" + vars.setup.ConfigDir +
                                     "\nCorrections of 0.0 will be used.");
    EXPECT_EQ(vars.calibration.LampCorrDate, "None");
    EXPECT_EQ(vars.calibration.LampCorrLamp, "None");
    EXPECT_EQ(vars.calibration.LampCorr, (std::array<double, 4>{0, 0, 0, 0}));

    station.Write("config/lampcorr.061", "\"11/30/2006\",\"L1\",0.1,0.2,0.3,0.4\r\n");
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.calibration.LastStdTest, "11/30/2006");
    EXPECT_EQ(vars.calibration.LastHgTest, "UNKNOWN");
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
        StationState vars;
        ASSERT_EQ(FatalText(station, &vars), QString()) << number;
        EXPECT_EQ(vars.setup.InstrumentId, suffix);
    }
}

TEST(ReadInstrument, ANumberThatNamesNoInstrumentOrACutFileIsRefused) {
    TestStation station;
    for (const char* bad : {"-61", "1e300", "61.5", "0"}) {
        station.Write("config/inst.cfg",
                      QByteArray(bad) + ",-0.25,96.5,118.2,132.7,174.3,\"x\"\r\n");
        EXPECT_EQ(FatalText(station), "Error # 13:" + station.Home() +
                                          "config/:INST.CFG\nType mismatch: item 1 is not a "
                                          "whole number from 1 to 999: \"" +
                                          bad + "\"\nSystem is stopped")
            << bad;
    }
    // Cut inside item 7: its quote never closes.
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06");
    EXPECT_EQ(FatalText(station), "Error # 13:" + station.Home() +
                                      "config/:INST.CFG\nType mismatch: item 7 is not a whole "
                                      "text (its closing quote is missing): \"06\"\nSystem is "
                                      "stopped");
}

TEST(ReadStation, ItemsOnOneLineAndDerivedValues) {
    TestStation station;
    station.Write(
        "config/station.cfg",
        "6371000, 105.25, 40.04, 7, 1013, 1600, 22000, 67, \"Name, with comma\", ABC\r\n");
    StationState vars;
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.setup.StationName, "Name, with comma");
    EXPECT_EQ(vars.setup.StationCode, "ABC");
    EXPECT_EQ(vars.setup.PressureRatio, 1.0f);
    EXPECT_NEAR(vars.setup.LayerFactor, 0.99363, 0.00001);
    EXPECT_DOUBLE_EQ(vars.setup.LayerFactor, (6372600.0 / 6393000.0) * (6372600.0 / 6393000.0));
    EXPECT_DOUBLE_EQ(vars.setup.LatitudeRad, 40.04 * 3.14159265359 / 180);
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
    StationState vars;
    ASSERT_EQ(FatalText(station, &vars), QString());
    const ArchiveSite site = ReadArchiveSite(vars.setup.ConfigDir);
    EXPECT_EQ(site.url, kDefaultArchiveUrl);
    EXPECT_EQ(site.user, "K5sndr");
    EXPECT_EQ(site.password, "mika_rpt");
    EXPECT_EQ(site.startComment, "Using K5Sndr site");
}

TEST(LampTestsDue, AgesAndTheFirstWeekRule) {
    StationState vars;
    vars.calibration.LastStdTest = "UNKNOWN";
    vars.calibration.LastHgTest = "11/06/2006"; // 25 days before 1 December
    LampTestAges ages = LampTestsDue(vars.calibration, MakeDateTime(2006, 12, 1, 12));
    EXPECT_EQ(ages.mercury, 25);
    EXPECT_EQ(ages.standard, kUnknownAge);
    EXPECT_TRUE(ages.due);
    EXPECT_EQ(LampAgeText(ages.standard), "Not Known");
    EXPECT_FALSE(LampTestsDue(vars.calibration, MakeDateTime(2006, 12, 8)).due); // 32 days, day 8
    EXPECT_TRUE(LampTestsDue(vars.calibration, MakeDateTime(2006, 12, 16)).due); // 40 days
    vars.calibration.LastHgTest = "UNKNOWN";
    EXPECT_FALSE(LampTestsDue(vars.calibration, MakeDateTime(2006, 12, 1)).due);
}

TEST(ParameterText, ScreenFormats) {
    TestStation station;
    const StationState vars = LoadedVars(station);
    const QList<LabelledValue> stationLines = StationParameterLines(vars.setup);
    EXPECT_EQ(stationLines[2].label, "Latitude:");
    EXPECT_EQ(stationLines[2].value, "40.0375");
    EXPECT_EQ(stationLines[4].value, " 1689");
    const QList<LabelledValue> instrument = InstrumentParameterLines(vars.setup, vars.calibration);
    EXPECT_EQ(instrument[0].value, "061");
    EXPECT_EQ(instrument[1].value, "-.25");
    // The four corrections stand under their heading.
    EXPECT_EQ(instrument[9].label, "N value adjustments from");
    EXPECT_EQ(instrument[10].label, "A:");
    EXPECT_EQ(instrument[12].label, "Cprime:");
    EXPECT_EQ(instrument[12].value, "0.2");
}

namespace {
// station.cfg of the demo with item `item` (1-based) replaced by `text`.
void StationItem(TestStation& station, int item, const QString& text) {
    QStringList items = {"6369000", "105.2514", "40.0375",
                         "7",       "836",      "1689",
                         "22000",   "466",      "\"Boulder, Colorado\"",
                         "\"BDR\""};
    items[item - 1] = text;
    station.Write("config/station.cfg", items.join("\r\n").toLatin1() + "\r\n");
}
} // namespace

TEST(ReadStation, NumbersAreFiniteAndWithinTheirTypes) {
    TestStation station;
    // Not numbers that could be computed with: refused, naming the item and
    // the text found.
    for (const char* bad : {"nan", "inf", "-inf", "NaN"}) {
        StationItem(station, 2, bad);
        EXPECT_EQ(FatalText(station),
                  "Error # 13:" + station.Home() +
                      "config/:STATION.CFG\nType mismatch: item 2 is not a number from -180 "
                      "to 180: \"" +
                      bad + "\"\nSystem is stopped")
            << bad;
    }
    StationItem(station, 2, "105.2514");
    // Values outside their meaning: a longitude beyond 180, a latitude
    // beyond 90, a UTC offset beyond 14 hours; the bounds themselves are fine.
    StationItem(station, 2, "180.5");
    EXPECT_TRUE(FatalText(station).contains("item 2 is not a number from -180 to 180: \"180.5\""));
    StationItem(station, 2, "-180");
    EXPECT_EQ(FatalText(station), QString());
    StationItem(station, 2, "105.2514");
    StationItem(station, 3, "-90.01");
    EXPECT_TRUE(FatalText(station).contains("item 3 is not a number from -90 to 90: \"-90.01\""));
    StationItem(station, 3, "90");
    EXPECT_EQ(FatalText(station), QString());
    StationItem(station, 3, "40.0375");
    StationItem(station, 4, "1e39");
    EXPECT_TRUE(FatalText(station).contains("item 4 is not a number from -14 to 14: \"1e39\""));
    StationItem(station, 4, "14.5");
    EXPECT_TRUE(FatalText(station).contains("item 4 is not a number from -14 to 14: \"14.5\""));
    StationItem(station, 4, "-14");
    EXPECT_EQ(FatalText(station), QString());
    StationItem(station, 4, "7");
    // A WMO number beyond 16 bits; the bounds themselves are fine.
    StationItem(station, 8, "1e10");
    EXPECT_TRUE(
        FatalText(station).contains("item 8 is not a whole number from -32768 to 32767: \"1e10\""));
    StationItem(station, 8, "32768");
    EXPECT_FALSE(FatalText(station).isEmpty());
    StationState vars;
    StationItem(station, 8, "32767");
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.setup.WmoNumber, 32767);
    StationItem(station, 8, "-32768");
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.setup.WmoNumber, -32768);
    // A line of junk is named, cut to 40 characters.
    StationItem(station, 1, QString(100, u'z'));
    EXPECT_TRUE(
        FatalText(station).contains("item 1 is not a number: \"" + QString(40, u'z') + "...\""));
}

TEST(ReadInstrument, LampTestDatesAreRealDatesOrUnknown) {
    TestStation station;
    StationState vars;
    for (const char* bad : {"13/45/2026", "02/30/2026", "soon"}) {
        station.Write("config/inst.cfg", QByteArray("61,-0.25,96.5,118.2,132.7,174.3,"
                                                    "\"06/15/2026\",\"") +
                                             bad + "\",\"11/30/2026\"\r\n");
        EXPECT_EQ(FatalText(station), "Error # 13:" + station.Home() +
                                          "config/:INST.CFG\nType mismatch: item 8 is not a "
                                          "date MM/DD/YYYY or UNKNOWN: \"" +
                                          bad + "\"\nSystem is stopped")
            << bad;
    }
    station.Write("config/inst.cfg",
                  "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\",\"UNKNOWN\",\"\"\r\n");
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.calibration.LastHgTest, "UNKNOWN");
    EXPECT_EQ(vars.calibration.LastStdTest, "11/30/2026"); // from the lamp correction file
    station.Write("config/inst.cfg",
                  "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\",\"02/29/2024\"\r\n");
    ASSERT_EQ(FatalText(station, &vars), QString());
    EXPECT_EQ(vars.calibration.LastHgTest, "02/29/2024");
}

TEST(ReadConfiguration, SpecialFilesAndAMissingDirectoryAreNamed) {
    TestStation station;
    // A FIFO in place of inst.cfg would block the open for ever.
    station.Remove("config/inst.cfg");
    ASSERT_EQ(mkfifo(QFile::encodeName(station.Home() + "config/inst.cfg").constData(), 0600), 0);
    EXPECT_EQ(FatalText(station), "Error # 75:" + station.Home() +
                                      "config/:INST.CFG\nPath/File access error (not a regular "
                                      "file)\nSystem is stopped");
    station.Remove("config/inst.cfg");
    station.Write("config/inst.cfg",
                  "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\",\"11/28/2026\"\r\n");
    // /dev/zero as Cloud.txt never ends.
    station.Remove("config/Cloud.txt");
    ASSERT_TRUE(QFile::link("/dev/zero", station.Home() + "config/Cloud.txt"));
    EXPECT_TRUE(FatalText(station).contains(":Cloud Parameters\nPath/File access error (not a "
                                            "regular file)"));
    station.Remove("config/Cloud.txt");
    // Over a megabyte is no configuration file.
    station.Write("config/Cloud.txt", QByteArray(1024 * 1024 + 1, '1'));
    EXPECT_TRUE(FatalText(station).contains("(larger than 1048576 bytes)"));
    // A configuration directory that is not there is disc.cfg's fault.
    station.Write("disc.cfg", "NaN\r\ndata\r\nhistory\r\n");
    EXPECT_EQ(FatalText(station), "Error # 76:" + station.Home() +
                                      ":disk.cfg\nPath not found: item 1 names the directory " +
                                      station.Home() +
                                      "NaN/, which does not exist\nSystem is "
                                      "stopped");
}

TEST(ReadArchiveSite, UnreadableFileOrOtherSchemeSendsNothing) {
    TestStation station;
    StationState vars;
    ArchiveSite site;
    vars.setup.ConfigDir = station.Home() + "config/";
    station.Write("config/CallHome.cfg", "\"ftps://archive.example.org/in/\",\"u\",\"p\"\r\n");
    const QString path = station.Home() + "config/CallHome.cfg";
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    site = ReadArchiveSite(vars.setup.ConfigDir);
    EXPECT_TRUE(site.error.isEmpty());
    EXPECT_TRUE(site.warning.isEmpty());
    EXPECT_EQ(site.startComment, "New Ftp Site Defined");
    // Readable by others: still used, with the warning that says how to mend it.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadOther));
    site = ReadArchiveSite(vars.setup.ConfigDir);
    EXPECT_TRUE(site.error.isEmpty());
    EXPECT_EQ(site.warning,
              path +
                  " holds the archive password and other users of this computer can read "
                  "it: chmod 600 " +
                  path);
    station.Write("config/CallHome.cfg", "\"FILE:///tmp/archive/\",\"u\",\"p\"\r\n");
    site = ReadArchiveSite(vars.setup.ConfigDir);
    EXPECT_EQ(site.error,
              "CallHome.cfg names the archive site FILE:///tmp/archive/, which is not an ftp://, "
              "ftpes:// or ftps:// address: no files will be sent.");
    EXPECT_EQ(site.startComment, site.error);
    // A directory in its place: reported, not the built-in site.
    station.Remove("config/CallHome.cfg");
    ASSERT_TRUE(QDir().mkpath(station.Home() + "config/CallHome.cfg"));
    site = ReadArchiveSite(vars.setup.ConfigDir);
    EXPECT_EQ(site.error, "CallHome.cfg cannot be read (Path/File access error (not a "
                          "regular file)): no files will be sent.");
    // No file at all: the built-in site, as always.
    ASSERT_TRUE(QDir(station.Home() + "config/CallHome.cfg").removeRecursively());
    site = ReadArchiveSite(vars.setup.ConfigDir);
    EXPECT_TRUE(site.error.isEmpty());
    EXPECT_EQ(site.startComment, "Using K5Sndr site");
}
