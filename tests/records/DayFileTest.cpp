// SPDX-License-Identifier: GPL-3.0-or-later
// The day data file: names, header, every record type byte for byte,
// comment wrapping, and the reader's validation and record skipping.
#include "records/DayFile.h"
#include "records/DayFileReader.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

StationState Instrument83(const TestStation& station) {
    StationState vars = LoadedVars(station);
    vars.setup.InstrumentNumber = 83;
    vars.setup.InstrumentId = "083";
    vars.setup.StationName = "Boulder";
    vars.setup.StationCode = "BDR";
    vars.setup.EncoderInUse = true;
    vars.setup.UtcOffsetHours = 7;
    return vars;
}

ObsRecord SampleObs() {
    ObsRecord r;
    r.writtenLocal = MakeDateTime(2006, 3, 24, 9, 30, 0);
    r.obsLocal = MakeDateTime(2006, 3, 24, 9, 28, 7);
    r.type = "ADDSGQP";
    r.temperature = 23.04;
    r.n1 = 123.45;
    r.n2 = 45.6;
    r.spread = 0.26;
    r.mu = 2.1234;
    r.ozone = 301.25;
    r.ozoneSpread = 1.24;
    r.readings = {5.3, 123.45, 170.0, 80.1, 299.96};
    r.sky = {"3", "1", "A", "2"};
    r.special = "RAIN";
    return r;
}

} // namespace

TEST(DayFileName, YearDayAndInstrumentOr999) {
    TestStation station;
    StationState vars = Instrument83(station);
    const DateTimeValue day97 = DateSerial(2007, 4, 7);
    EXPECT_EQ(DayFileName(vars.setup, day97), "D07097.083");
    EXPECT_EQ(DayFileName(vars.setup, day97, u'S'), "S07097.083");
    EXPECT_EQ(DayFileName(vars.setup, DateSerial(2008, 1, 5)), "D08005.083");
    vars.setup.EncoderInUse = false;
    EXPECT_EQ(DayFileName(vars.setup, day97), "D07097.999");
}

TEST(DayFile, HeaderThenRecordsOnLocalDay) {
    TestStation station;
    StationState vars = Instrument83(station);
    RecordingMessages messages;
    // 03:00 UTC on 25 March is still 24 March at UTC-7.
    FakeClock clock(MakeDateTime(2006, 3, 25, 3, 0, 0));
    ASSERT_TRUE(OpenDayFile(vars.setup, vars.day, clock, messages));
    EXPECT_EQ(vars.day.SummaryADDS, "No ADDS Obs. Yet Today");
    EXPECT_EQ(vars.day.SummaryADZenith, "No AD Zenith Obs. Yet Today");
    EXPECT_EQ(vars.day.SummaryCDDS, "No CDDS Obs. Yet Today");
    ASSERT_TRUE(WriteCommentText(vars.setup, vars.day, clock, messages, "Using K5Sndr site"));
    const QByteArray expected = "\"Boulder\"\r\n"
                                "Dobson, 83 \r\n"
                                "03/24/2006\r\n"
                                "20:00:00\r\n" +
                                QByteArray(70, '=') +
                                "07Apr06:Carddatefixed\r\n"
                                "\"COMMENT\",\"03/24/2006\",\"20:00:00\",1\r\n"
                                "\"Using K5Sndr site\"\r\n";
    EXPECT_EQ(station.Read("data/D06083.083"), expected);
    EXPECT_EQ(vars.day.DayFileLength, expected.size());
    EXPECT_TRUE(messages.titles.isEmpty());

    // An empty comment writes nothing.
    ASSERT_TRUE(WriteCommentText(vars.setup, vars.day, clock, messages, QString()));
    EXPECT_EQ(station.Read("data/D06083.083").size(), expected.size());
}

TEST(DayFile, WriteFailureIsReportedNotLost) {
    TestStation station;
    StationState vars = Instrument83(station);
    vars.setup.DataDir = "/nonexistent-quillon-dir/";
    RecordingMessages messages;
    FakeClock clock(MakeDateTime(2006, 3, 24, 12, 0, 0));
    messages.Expect("Day File Error");
    EXPECT_FALSE(WriteCommentText(vars.setup, vars.day, clock, messages, "hello"));
    ASSERT_EQ(messages.titles.size(), 1);
    EXPECT_EQ(messages.titles[0], "Day File Error");
    EXPECT_TRUE(messages.texts[0].endsWith("The record was not saved."));
}

TEST(WrapComment, FilterAndSeventyEightColumns) {
    EXPECT_EQ(WrapComment(QString(78, u'a')), QStringList{QString(78, u'a')});
    const QStringList cut = WrapComment(QString(79, u'b'));
    ASSERT_EQ(cut.size(), 2);
    EXPECT_EQ(cut[0].size(), 63);
    EXPECT_EQ(cut[1].size(), 16);
    // A blank at position 70 ends the first line and stays on it.
    const QString spaced = QString(69, u'c') + u' ' + QString(20, u'd');
    const QStringList broken = WrapComment(spaced);
    ASSERT_EQ(broken.size(), 2);
    EXPECT_EQ(broken[0], QString(69, u'c') + u' ');
    EXPECT_EQ(broken[1], QString(20, u'd'));
    EXPECT_EQ(WrapComment("tab\there\x01"), QStringList{"tabhere"});
    EXPECT_EQ(WrapComment(QString("caf") + QChar(0xE9)), QStringList{"caf"});
    EXPECT_TRUE(WrapComment("").isEmpty());
}

TEST(ObsRecord, TwoLinesByteForByte) {
    TestStation station;
    const StationState vars = Instrument83(station);
    const QStringList lines = ObsRecordLines(SampleObs(), vars.setup);
    EXPECT_EQ(CrLfLines(lines),
              QByteArray("OBS,03/24/2006,092807,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.123,301.3,1.2\r\n"
                         " 005.3 123.5 170.0 080.1 300.0ADDSGQP 24 092807 03 06 3  1 A  2 RAIN    "
                         "083  BDR\r\n"));

    ObsRecord moon = SampleObs();
    moon.type = "ADZB";
    moon.mu = -9.999;
    moon.ozone = -99.9;
    moon.ozoneSpread = -9.9;
    moon.sky = {"", "", "", ""};
    moon.special = "";
    const QStringList zb = ObsRecordLines(moon, vars.setup);
    EXPECT_EQ(zb[0], "OBS,03/24/2006,092807,ADZB   ,23.0, 123.5, 45.6,0.3,- 9.999,-99.9,-9.9");
    EXPECT_TRUE(zb[1].endsWith("300.0ADZB    24 092807 03 06" + QString(19, u' ') + "083  BDR"));

    // C/C' observations carry no N-values: 0.0, never an earlier observation's.
    ObsRecord cc = SampleObs();
    cc.type = "CCZC";
    EXPECT_TRUE(ObsRecordLines(cc, vars.setup)[0].startsWith(
        "OBS,03/24/2006,092807,CCZC   ,23.0, 0.0, 0.0,"));

    // A reading below zero keeps the six columns of its field.
    ObsRecord low = SampleObs();
    low.readings = {-1.0, -0.04, 170.0, -12.34, 300.0};
    EXPECT_TRUE(
        ObsRecordLines(low, vars.setup)[1].startsWith(" -01.0 000.0 170.0 -12.3 300.0ADDSGQP"))
        << ObsRecordLines(low, vars.setup)[1].toStdString();
}

TEST(CalibrationRecords, HgLampStdLampAndIntercomparison) {
    TestStation station;
    const StationState vars = Instrument83(station);
    HgLampRecord hg;
    hg.local = MakeDateTime(2006, 3, 24, 16, 5, 0);
    hg.startTemperature = 21.5;
    hg.endTemperature = 22;
    hg.upper = {12.3, 0, 1, 2, 3};
    hg.lower = {4, 5, 6, 7, 8};
    hg.average = 1.234;
    hg.tableValue = 1.2;
    hg.difference = -0.034;
    hg.qTableDate = "06/15/2005";
    EXPECT_EQ(HgLampRecordLines(hg),
              QStringList(
                  {"HGLAMP,03/24/2006,16:05:00,  21.5, 22.0", "  12.3   00.0   01.0   02.0   03.0 ",
                   "  04.0   05.0   06.0   07.0   08.0 ", "   01.23   01.20   -0.03  06/15/2005"}));

    StdLampRecord std;
    std.local = hg.local;
    std.lampName = "STD-61A";
    std.temperature = 22.5;
    std.readings.fill(123.44);
    std.spreads.fill(0.2);
    std.averages = {1, 2, 3, 4};
    std.deviations = {0.1, 0.2, 0.3, 0.4};
    const QStringList s = StdLampRecordLines(std);
    EXPECT_EQ(s[0], "\"STDLAMP\",\"03/24/2006\",\"16:05:00\",\"STD-61A\",22.5");
    EXPECT_EQ(s[1], QString("123.4 ").repeated(12));
    EXPECT_EQ(s[2], QString("000.2 ").repeated(12));
    // The first two values of each group run together.
    EXPECT_EQ(s[3], "Test Average: 001.0002.0  003.0  004.0   Std Dev: 000.1000.2  000.3  000.4  ");

    IntercompRecord ic;
    ic.writtenLocal = hg.local;
    ic.setLocal = MakeDateTime(2006, 3, 24, 10, 17, 42);
    ic.type = "I DSGQP";
    ic.rC = 150.05;
    ic.sdC = 0.3;
    ic.rD = 80;
    ic.sdD = 0.2;
    ic.rA = 170;
    ic.sdA = 0.1;
    ic.sky = "C ";
    ic.special = "SMOG ";
    EXPECT_EQ(IntercompRecordLines(ic, vars.setup),
              QStringList({"\"OBS\",\"03/24/2006\",\"101700\",\"I DSGQP\", 150.1, 000.3, 080.0, "
                           "000.2, 170.0, 000.1,",
                           " 150.1 080.0 170.0 000.0 000.0I DSGQP 24 101700 03 06 C           "
                           "SMOG  083  BDR"}));
}

TEST(DayFileReader, ValidationAndRecordSkipping) {
    TestStation station;
    const QString path = station.DataDir() + "D06083.083";
    QStringList lines = {"\"Boulder\"", "Dobson, 83 ", "03/24/2006", "12:00:00", QString(70, u'=')};
    lines << "\"COMMENT\",\"03/24/2006\",\"12:00:00\",12";
    for (int i = 0; i < 12; ++i) {
        lines << "\"OBS,fake,line\"";
    }
    lines << "\"STDLAMP\",\"x\""
          << " 150.0 150.1"
          << " 000.1 000.2"
          << "Test Average: 150.0";
    lines << "HGLAMP,03/24/2006"
          << "  47.0   47.1"
          << "  45.0   45.1"
          << "   46.05   46.10";
    lines << "\"OBS\",\"03/24/2006\",\"101700\",\"I DSGQP\", 150.1,"
          << " 150.1 080.0 170.0 000.0 000.0I DSGQP 24 101700 03 06";
    lines << "OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2"
          << " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 120000 03 06";
    lines << "UNKNOWN LINE";
    station.Write("data/D06083.083", CrLfLines(lines));
    const DayFileContents read = ReadDayFile(path, "Boulder", DateSerial(2006, 3, 24));
    ASSERT_EQ(read.status, DayFileStatus::Ok);
    ASSERT_EQ(read.observations.size(), 1);
    EXPECT_EQ(read.observations[0].type, "ADDSGQP");
    EXPECT_EQ(read.observations[0].time, "120000");
    EXPECT_DOUBLE_EQ(read.observations[0].values[5], 300.0);
    EXPECT_TRUE(read.problems.isEmpty()) << read.problems.join("|").toStdString();

    const DayFileContents wrongDate = ReadDayFile(path, "Boulder", DateSerial(2006, 3, 25));
    EXPECT_EQ(wrongDate.status, DayFileStatus::WrongDate);
    EXPECT_EQ(wrongDate.message,
              "Date in file " + path + " is 03/24/2006 not 03/25/2006\nProgram will continue.");
    const DayFileContents wrongName = ReadDayFile(path, "Elsewhere", DateSerial(2006, 3, 24));
    EXPECT_EQ(wrongName.status, DayFileStatus::NotADataFile);
    EXPECT_EQ(wrongName.message, "This file:" + path + " is not a data file\nFirst Line:Boulder");
    // A first line of 65,536 characters: 80 of them are quoted.
    {
        QStringList long_ = lines;
        long_[0] = QString(65536, u'x');
        station.Write("data/D06083.083", CrLfLines(long_));
        const DayFileContents other = ReadDayFile(path, "Boulder", DateSerial(2006, 3, 24));
        EXPECT_EQ(other.message,
                  "This file:" + path + " is not a data file\nFirst Line:" + QString(80, u'x'));
        station.Write("data/D06083.083", CrLfLines(lines));
    }

    lines[0] = "DAILY DATA FILE";
    station.Write("data/D06083.083", CrLfLines(lines));
    EXPECT_EQ(ReadDayFile(path, "Elsewhere", DateSerial(2006, 3, 24)).status, DayFileStatus::Ok);
    EXPECT_EQ(ReadDayFile(path + "x", "Boulder", 0).status, DayFileStatus::CannotOpen);

    // A day file beyond 64 MB (a sparse file: no disk used) is refused unread.
    {
        QFile huge(path);
        ASSERT_TRUE(huge.resize(64LL * 1024 * 1024 + 1));
    }
    const DayFileContents huge = ReadDayFile(path, "Boulder", DateSerial(2006, 3, 24));
    EXPECT_EQ(huge.status, DayFileStatus::Unreadable);
    EXPECT_EQ(huge.message, "The day file " + path +
                                " cannot be read: Path/File access error (larger than 67108864 "
                                "bytes)");
}

TEST(DayFileReader, CommentLineCountFromTheTagLine) {
    EXPECT_EQ(CommentLineCount("\"COMMENT\",\"03/24/2006\",\"12:00:00\",1"), 1);
    EXPECT_EQ(CommentLineCount("\"COMMENT\",\"03/24/2006\",\"12:00:00\",12"), 12);
    EXPECT_EQ(CommentLineCount("\"COMMENT\",\"03/24/2006\",\"12:00:00\",123"), 123);
    EXPECT_EQ(CommentLineCount("\"ERROR\",\"x\""), 1);
    EXPECT_EQ(CommentLineCount("\"COMMENT\",\"03/24/2006\",\"12:00:00\",0"), 0);
    // Not a count: a sign or a letter makes the record unreadable.
    EXPECT_EQ(CommentLineCount("\"COMMENT\",\"03/24/2006\",\"12:00:00\",-5"), -1);
    EXPECT_EQ(CommentLineCount("\"COMMENT\",\"03/24/2006\",\"12:00:00\",-"), -1);
    EXPECT_EQ(CommentLineCount("\"COMMENT\",\"03/24/2006\",\"12:00:00\",x"), -1);
}

namespace {
// A day file of 03/24/2006 holding `records` after its header.
DayFileContents ReadRecords(TestStation& station, const QStringList& records) {
    QStringList lines = {"\"Boulder\"", "Dobson, 83 ", "03/24/2006", "12:00:00", QString(70, u'=')};
    lines << records;
    station.Write("data/D06083.083", CrLfLines(lines));
    return ReadDayFile(station.DataDir() + "D06083.083", "Boulder", DateSerial(2006, 3, 24));
}
const char* kGoodObs1 = "OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2";
const char* kGoodObs2 = " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 120000 03 06";
} // namespace

TEST(DayFileReader, DamagedRecordsAreNamedAndNeverHideTheNext) {
    TestStation station;
    // A torn OBS line directly before a good record: the good one is read.
    DayFileContents read = ReadRecords(station, {"OBS,03/24/2006,11", kGoodObs1, kGoodObs2});
    ASSERT_EQ(read.observations.size(), 1);
    EXPECT_EQ(read.observations[0].time, "120000");
    ASSERT_EQ(read.problems.size(), 1);
    EXPECT_EQ(read.problems[0], "The record on line 6 cannot be read: OBS record whose numbers "
                                "are not all numbers.");

    // A field that is not a number is reported, not dropped in silence.
    read =
        ReadRecords(station, {"OBS,03/24/2006,120000,ADDSGQP,23.0, abc, 45.6,0.3, 2.000,300.0,1.2",
                              kGoodObs2, kGoodObs1, kGoodObs2});
    EXPECT_EQ(read.observations.size(), 1);
    EXPECT_EQ(read.problems.size(), 1);

    // A negative line count cannot send the reader backwards (it used to
    // loop for ever, and start-up with it).
    read = ReadRecords(
        station, {"\"COMMENT\",\"03/24/2006\",\"12:00:00\",-5", "\"text\"", kGoodObs1, kGoodObs2});
    EXPECT_EQ(read.observations.size(), 1);
    ASSERT_EQ(read.problems.size(), 1);
    EXPECT_EQ(read.problems[0],
              "The record on line 6 cannot be read: COMMENT record with no line count.");

    // A comment declared as four lines with two present, then a whole
    // observation: the short comment is named, the observation is read.
    read = ReadRecords(station, {"\"COMMENT\",\"03/24/2006\",\"12:00:00\",4", "\"one\"", "\"two\"",
                                 kGoodObs1, kGoodObs2});
    EXPECT_EQ(read.observations.size(), 1);
    ASSERT_EQ(read.problems.size(), 1);
    EXPECT_EQ(read.problems[0],
              "The record on line 6 cannot be read: COMMENT record declares 5 lines, 3 follow it.");

    // An OBS record cut after its first line at the end of the file.
    read = ReadRecords(station, {kGoodObs1, kGoodObs2, kGoodObs1});
    EXPECT_EQ(read.observations.size(), 1);
    EXPECT_EQ(read.problems.size(), 1);

    // An ozone beyond single precision, or no number at all: unreadable,
    // never averaged into an "Inf" summary.
    for (const char* ozone : {"1e39", "nan", "inf"}) {
        read = ReadRecords(station, {QString("OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, "
                                             "2.000,%1,1.2")
                                         .arg(ozone),
                                     kGoodObs2, kGoodObs1, kGoodObs2});
        EXPECT_EQ(read.observations.size(), 1) << ozone;
        ASSERT_EQ(read.problems.size(), 1) << ozone;
        EXPECT_EQ(read.problems[0], "The record on line 6 cannot be read: OBS record whose "
                                    "numbers are not all numbers.")
            << ozone;
    }
}

TEST(DayFile, WhateverTheOperatorTypesIsKept) {
    TestStation station;
    StationState vars = Instrument83(station);
    RecordingMessages messages;
    FakeClock clock(MakeDateTime(2006, 3, 25, 3, 0, 0));
    ASSERT_TRUE(OpenDayFile(vars.setup, vars.day, clock, messages));
    // Comments whose text is a record's tag, one whose wrapped last line is
    // one, and one with quotes that would make a tag line of it.
    const QStringList typed = {"ERROR",        "OBS",     "COMMENT",
                               "HGLAMP",       "STDLAMP", QString(70, u'x') + " abcdefgh ERROR",
                               "STDLAMP\",\"1"};
    for (const QString& text : typed) {
        ASSERT_TRUE(WriteCommentText(vars.setup, vars.day, clock, messages, text));
    }
    const QByteArray before = station.Read("data/D06083.083");
    EXPECT_EQ(DayFileWholeLength(before), before.size()) << "a comment read as a torn record";
    // The next append keeps every one of them.
    ASSERT_TRUE(WriteCommentText(vars.setup, vars.day, clock, messages, "last"));
    const QString day = DecodeWindows1252(station.Read("data/D06083.083"));
    for (const char* line : {"\r\n\"ERROR\"\r\n", "\r\n\"OBS\"\r\n", "\r\n\"COMMENT\"\r\n",
                             "\r\n\"HGLAMP\"\r\n", "\r\n\"STDLAMP\"\r\n", "\r\n\"ERROR\"\r\n",
                             "\r\n\"STDLAMP','1\"\r\n", "\r\n\"last\"\r\n"}) {
        EXPECT_TRUE(day.contains(QString::fromLatin1(line))) << line;
    }
    EXPECT_EQ(day.count("\"COMMENT\",\"03/24/2006\""), 8);
    const DayFileContents read =
        ReadDayFile(station.DataDir() + "D06083.083", "Boulder", DateSerial(2006, 3, 24));
    EXPECT_TRUE(read.problems.isEmpty()) << read.problems.join('\n').toStdString();
}

TEST(DayFile, LongCommentsReadBackWhole) {
    // 1, 99, 100 and 250 lines of 78 characters: records of at most 99
    // lines, each count true.
    for (const int lines : {1, 99, 100, 250}) {
        TestStation station;
        StationState vars = Instrument83(station);
        RecordingMessages messages;
        FakeClock clock(MakeDateTime(2006, 3, 25, 3, 0, 0));
        ASSERT_TRUE(OpenDayFile(vars.setup, vars.day, clock, messages));
        QString text;
        for (int i = 0; i < lines; ++i) {
            text += QString(77, QChar(u'a' + i % 26)) + u' ';
        }
        ASSERT_TRUE(WriteCommentText(vars.setup, vars.day, clock, messages, text));
        ASSERT_TRUE(WriteCommentText(vars.setup, vars.day, clock, messages, "after"));
        const QByteArray bytes = station.Read("data/D06083.083");
        EXPECT_EQ(DayFileWholeLength(bytes), bytes.size()) << lines;
        const QStringList all = SplitLines(DecodeWindows1252(bytes));
        int records = 0;
        int declared = 0;
        int textLines = 0;
        for (const QString& line : all) {
            if (line.startsWith("\"COMMENT\",")) {
                ++records;
                declared += CommentLineCount(line);
            } else if (line.startsWith('"') && line != "\"after\"" && line != "\"Boulder\"") {
                ++textLines;
            }
        }
        const int expectedRecords = (lines + 98) / 99 + 1;
        EXPECT_EQ(records, expectedRecords) << lines;
        EXPECT_EQ(declared, lines + 1) << lines;
        EXPECT_EQ(textLines, lines) << lines;
    }
}

TEST(DayFile, ATornHeaderIsSetAsideWholeAndTheDayStartsAnew) {
    TestStation station;
    StationState vars = Instrument83(station);
    RecordingMessages messages;
    FakeClock clock(MakeDateTime(2006, 3, 25, 3, 0, 0));
    const QByteArray torn = "\"Boulder\"\r\nDobson, 83 \r\n03/2";
    station.Write("data/D06083.083", torn);
    messages.Expect("Day File");
    ASSERT_TRUE(WriteCommentText(vars.setup, vars.day, clock, messages, "after the cut"));
    EXPECT_EQ(station.Read("data/D06083.083.torn"), torn); // every byte kept
    const QString day = DecodeWindows1252(station.Read("data/D06083.083"));
    const QStringList lines = SplitLines(day);
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], "\"Boulder\"");
    EXPECT_EQ(lines[2], "03/24/2006");
    EXPECT_TRUE(day.contains("The day file's header was cut short (28 bytes)"));
    EXPECT_TRUE(day.contains("\"after the cut\""));
    const DayFileContents read =
        ReadDayFile(station.DataDir() + "D06083.083", "Boulder", DateSerial(2006, 3, 24));
    EXPECT_EQ(read.status, DayFileStatus::Ok);
    EXPECT_TRUE(read.problems.isEmpty());
}
