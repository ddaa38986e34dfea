// SPDX-License-Identifier: GPL-3.0-or-later
// The Q-table review, adjustment and printout without widgets: the last
// three tests of a history, the limits, the new settings, the acceptance's
// files, the table rounding and the printed table.
#include "calibration/QTable.h"
#include "calibration/MercuryTest.h"
#include "config/GetInfo.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
QByteArray HgRecord(const char* date, const char* difference) {
    return QByteArray("HGLAMP,") + date + ",10:00:00,  20.0, 21.0\r\n" +
           "  78.0   78.0   78.0   00.0   00.0 \r\n" + "  70.6   70.6   70.6   00.0   00.0 \r\n" +
           "   74.30   74.00   " + difference + "  24 Mar 2006\r\n";
}
} // namespace

TEST(QTableReview, LastThreeOfFiveAndTheLimits) {
    TestStation station;
    station.Write("history/hghist.061",
                  HgRecord("03/01/2006", " 00.10") + HgRecord("03/02/2006", "-00.50") +
                      HgRecord("03/03/2006", " 00.29") + HgRecord("03/04/2006", " 00.30") +
                      HgRecord("03/05/2006", "-00.05"));
    const HgHistory history = ReadHgHistory(station.Home() + "history/hghist.061");
    EXPECT_EQ(history.count, 5);
    const QReview review = ReviewLines(history);
    EXPECT_EQ(review.countLine, "The last three tests in the file:");
    EXPECT_EQ(review.testLines, QStringList({"Date: 03/03/2006 Difference:  .29 in limits.",
                                             "Date: 03/04/2006 Difference:  .3 OUT of limits!",
                                             "Date: 03/05/2006 Difference: -.05 in limits."}));
    EXPECT_EQ(review.outLine, "Only one test out of the limits were found.");

    const QReview none = ReviewLines(ReadHgHistory(station.Home() + "history/nothing"));
    EXPECT_EQ(none.countLine, "The program could not find any mercury test history.");
    EXPECT_TRUE(none.testLines.isEmpty());
    EXPECT_EQ(none.outLine, "No tests out of the limits were found.");
}

TEST(QTableAdjustment, LimitsNewSettingsAndAcceptance) {
    EXPECT_TRUE(AdjustmentInRange(3.5));
    EXPECT_TRUE(AdjustmentInRange(-3.5));
    EXPECT_FALSE(AdjustmentInRange(3.51));
    EXPECT_FALSE(AdjustmentInRange(-3.51));

    TestStation station;
    StationState vars = LoadedVars(station);
    const QSettings15 plusOne = AdjustedSettings(vars.calibration, 1.0f);
    EXPECT_NEAR(plusOne.a, 96.5 + 0.67, 1e-9);
    EXPECT_NEAR(plusOne.c, 118.2 + 0.99, 1e-9);
    EXPECT_NEAR(plusOne.d, 132.7 + 0.97, 1e-9);
    EXPECT_NEAR(plusOne.hg, 74.3 + 1.0, 1e-9);
    // A second adjustment starts again from the table in use.
    EXPECT_NEAR(AdjustedSettings(vars.calibration, -1.0f).hg, 73.3, 1e-9);

    const QByteArray before = station.Read("config/inst.cfg");
    FakeClock clock(MakeDateTime(2006, 3, 24, 17, 0, 0));
    RecordingMessages messages;
    vars.settings.ObserverInitials = "RDE";
    ASSERT_TRUE(AcceptQTableChange(vars.setup, vars.day, vars.calibration,
                                   vars.settings.ObserverInitials, clock, messages, 1.0f));
    EXPECT_EQ(station.Read("config/instcfg.bak"), before);
    EXPECT_EQ(DecodeWindows1252(station.Read("config/inst.cfg")),
              "61\r\n-.25\r\n97.17\r\n119.19\r\n133.67\r\n75.3\r\n\"24 Mar 2006\"\r\n"
              "\"11/28/2026\"\r\n\"11/30/2026\"\r\n");
    StationState again;
    again.setup.HomeDir = station.Home();
    RecordingMessages quiet;
    ASSERT_TRUE(ReadConfiguration(again.setup, again.calibration, quiet).ok());
    EXPECT_DOUBLE_EQ(again.calibration.Q15Hg, 75.3);
    EXPECT_EQ(again.calibration.QTableDate, "24 Mar 2006");
    const QStringList day = SplitLines(DecodeWindows1252(station.Read("data/D06083.999")));
    EXPECT_EQ(day.mid(day.size() - 4),
              QStringList({"\"COMMENT\",\"03/24/2006\",\"10:00:00\",1",
                           "\"Q-table was Changed by: RDE By 01.00\"",
                           "\"COMMENT\",\"03/24/2006\",\"10:00:00\",1",
                           "\" New Values A: 97.17 C: 119.19 D: 133.67 Hg: 75.30\""}));
}

TEST(QTableAdjustment, SettingsWrittenAsTheTableShowsThem) {
    // 96.5 + 0.67 x 1.1 = 97.237; 118.2 + 0.99 x 1.1 = 119.289;
    // 132.7 + 0.97 x 1.1 = 133.767; 74.3 + 1.1 = 75.4. Then back by -1.1:
    // the station's own values again, with no noise in between.
    TestStation station;
    StationState vars = LoadedVars(station);
    FakeClock clock(MakeDateTime(2006, 3, 24, 17, 0, 0));
    RecordingMessages messages;
    vars.settings.ObserverInitials = "RDE";
    ASSERT_TRUE(AcceptQTableChange(vars.setup, vars.day, vars.calibration,
                                   vars.settings.ObserverInitials, clock, messages, 1.1f));
    QStringList lines = SplitLines(DecodeWindows1252(station.Read("config/inst.cfg")));
    EXPECT_EQ(lines.mid(2, 4), QStringList({"97.237", "119.289", "133.767", "75.4"}));
    ASSERT_TRUE(AcceptQTableChange(vars.setup, vars.day, vars.calibration,
                                   vars.settings.ObserverInitials, clock, messages, -1.1f));
    lines = SplitLines(DecodeWindows1252(station.Read("config/inst.cfg")));
    EXPECT_EQ(lines.mid(2, 4), QStringList({"96.5", "118.2", "132.7", "74.3"}));
}

TEST(QTableAdjustment, AFailedWriteChangesNothing) {
    TestStation station;
    StationState vars = LoadedVars(station);
    const QByteArray before = station.Read("config/inst.cfg");
    vars.setup.ConfigDir = station.Home() + "no-such-dir/";
    FakeClock clock(MakeDateTime(2006, 3, 24, 17, 0, 0));
    RecordingMessages messages;
    messages.Expect("Q table");
    EXPECT_FALSE(AcceptQTableChange(vars.setup, vars.day, vars.calibration,
                                    vars.settings.ObserverInitials, clock, messages, 1.0f));
    EXPECT_DOUBLE_EQ(vars.calibration.Q15Hg, 74.3);
    EXPECT_EQ(station.Read("config/inst.cfg"), before);
    // The change's record came first, and the day file says it was not made.
    const QString day = DecodeWindows1252(station.Read("data/D06083.999"));
    const qsizetype record = day.indexOf("Q-table was Changed by");
    const qsizetype notMade = day.indexOf("The Q-table change above was not made: ");
    EXPECT_GE(record, 0);
    EXPECT_GT(notMade, record);
}

TEST(QSettingTable, RoundingAndLayout) {
    EXPECT_DOUBLE_EQ(TableRounding(12.32), 12.30);
    EXPECT_DOUBLE_EQ(TableRounding(12.33), 12.35);
    EXPECT_DOUBLE_EQ(TableRounding(12.37), 12.35);
    EXPECT_DOUBLE_EQ(TableRounding(12.38), 12.40);
    EXPECT_DOUBLE_EQ(TableRounding(12.00), 12.00);
    EXPECT_DOUBLE_EQ(TableRounding(75.425), 75.40); // hundredths digit 2, not rounded up

    TestStation station;
    const StationState vars = LoadedVars(station);
    const DateTimeValue local = MakeDateTime(2006, 3, 24, 10, 0, 0);
    EXPECT_EQ(QTablePath(vars.setup, local), station.Home() + "data/QD06083.061");
    const QStringList lines = QSettingTableLines(vars.setup, vars.calibration, local);
    ASSERT_EQ(lines.size(), 57);
    EXPECT_EQ(lines[1], "  STATION:Boulder, Colorado");
    EXPECT_EQ(lines[4].trimmed(), "TABLE OF SETTING OF Q1 FOR INSTRUMENT NUMBER 061");
    EXPECT_EQ(lines[4].indexOf(u'T'), 18); // column (80 - 48) / 2 + 3 = 19
    const QString rule = "  " + QString(75, u'-');
    for (const int at : {5, 7, 18, 29, 40, 51}) {
        EXPECT_EQ(lines[at], rule) << at;
    }
    // T = 10.5 and 30.5 (row 22 of the table), worked by hand with the
    // table rounding.
    EXPECT_EQ(lines[31], "  |10.5 97.25 119.30 133.80 75.40 |30.5 93.90 114.35 128.95 70.40 |");
    EXPECT_EQ(lines[53], QString(19, u' ') + "ALWAYS SET Q2 TO VALUE AT 15 DEGRESS C.");
    EXPECT_EQ(lines[54], QString(19, u' ') + "A:96.50C:118.20D:132.70Hg:74.30");
    EXPECT_EQ(lines[56], "24 Mar 2006:10:00:00" + QString(QChar(12)));
}

TEST(HgHistoryRead, ATornTestIsSkippedNamedAndHidesNothing) {
    // The second test was cut after two of its four lines by a power cut:
    // read by position, its "difference" came from the third test's lines.
    const QByteArray whole1 = "HGLAMP,03/01/2006,10:00:00,  20.0, 21.0\r\n  78.0 \r\n  70.6 \r\n"
                              "   74.30   74.00    00.10  24 Mar 2006\r\n";
    const QByteArray torn = "HGLAMP,03/08/2006,10:00:00,  20.0, 21.0\r\n  78.0 \r\n";
    const QByteArray whole3 = "HGLAMP,03/15/2006,10:00:00,  20.0, 21.0\r\n  78.0 \r\n  70.6 \r\n"
                              "   74.30   74.00   -00.45  24 Mar 2006\r\n";
    const QByteArray junk = "HGLAMP,03/16/2006,10:00:00,  20.0, 21.0\r\n  78.0 \r\n  70.6 \r\n"
                            "   74.30   74.00    x  24 Mar 2006\r\n";
    TestStation station;
    station.Write("history/hghist.061", whole1 + torn + whole3 + junk);
    const QString path = station.Home() + "history/hghist.061";
    const HgHistory history = ReadHgHistory(path);
    EXPECT_EQ(history.count, 2);
    ASSERT_EQ(history.last.size(), 2);
    EXPECT_EQ(history.last[0].date, "03/01/2006");
    EXPECT_EQ(history.last[1].date, "03/15/2006");
    EXPECT_FLOAT_EQ(history.last[1].difference, -0.45f);
    EXPECT_EQ(history.problems,
              QStringList({path + " line 5: a test cut short, skipped",
                           path + " line 11: a test whose difference is no number, skipped"}));
    EXPECT_EQ(ReviewLines(history).problems.size(), 2);

    // An unreadable history is named, not taken for a missing one.
    ASSERT_TRUE(QDir().mkpath(station.Home() + "history/hghist.062"));
    const QString dir = station.Home() + "history/hghist.062";
    const HgHistory none = ReadHgHistory(dir);
    EXPECT_FALSE(none.found);
    ASSERT_EQ(none.problems.size(), 1);
    EXPECT_TRUE(none.problems[0].startsWith(dir + " cannot be read: "))
        << none.problems[0].toStdString();
}

TEST(HgHistoryAppend, ATornTailIsCutBeforeTheNextTest) {
    TestStation station;
    StationState vars = LoadedVars(station);
    const QByteArray whole = "HGLAMP,03/01/2006,10:00:00,  20.0, 21.0\r\n  78.0 \r\n  70.6 \r\n"
                             "   74.30   74.00    00.10  24 Mar 2006\r\n";
    station.Write("history/hghist.061", whole + "HGLAMP,03/08/2006,10:00:00,  20.0, 21.0\r\n  78");
    FakeClock clock(MakeDateTime(2006, 3, 24, 17, 0, 0));
    RecordingMessages messages;
    MercuryEntries entries;
    entries.startTemperature = 20.0;
    entries.endTemperature = 20.5;
    for (int k = 0; k < 5; ++k) {
        entries.boxes[static_cast<size_t>(2 * k)] = 76.6;
        entries.boxes[static_cast<size_t>(2 * k + 1)] = 69.4;
    }
    const MercuryEvaluation e = EvaluateReadings(vars.calibration, entries);
    ASSERT_TRUE(e.complete);
    ASSERT_TRUE(
        SaveMercuryTest(vars.setup, vars.day, vars.calibration, clock, messages, e, entries));
    const QStringList lines = SplitLines(DecodeWindows1252(station.Read("history/hghist.061")));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[4], "HGLAMP,03/24/2006,10:00:00,  20.0, 20.5");
    EXPECT_TRUE(ReadHgHistory(station.Home() + "history/hghist.061").problems.isEmpty());
}

TEST(QTableAdjustment, TheValueEnteredAndItsSign) {
    EXPECT_EQ(CheckAdjustment("3.5").value, std::optional<float>(3.5f));
    EXPECT_EQ(CheckAdjustment("-3.5").value, std::optional<float>(-3.5f));
    const AdjustmentEntry large = CheckAdjustment("3.6");
    EXPECT_EQ(large.value, std::nullopt);
    EXPECT_EQ(large.message, "3.6 Too large. ");
    EXPECT_TRUE(large.clearBox);
    const AdjustmentEntry empty = CheckAdjustment(" ");
    EXPECT_EQ(empty.message, "Enter Reading or Press Escape");
    EXPECT_FALSE(empty.clearBox);
    EXPECT_EQ(AdjustmentSignKey("2.5", u'-'), "-2.5");
    EXPECT_EQ(AdjustmentSignKey("-2.5", u'+'), "+2.5");
    EXPECT_EQ(AdjustmentSignKey("-2.5", u'-'), "-2.5");
}

namespace {
class ScriptedPrint : public PrintQTableScreens {
public:
    ContinueOrEscape ConfirmTableFile(const QString& path) override {
        shown << path;
        return answer;
    }
    QStringList shown;
    ContinueOrEscape answer = ContinueOrEscape::Continue;
};
} // namespace

TEST(QSettingTable, PrintedFromTheMenuOnlyWhenTheOperatorGoesOn) {
    TestStation station;
    StationState vars = LoadedVars(station);
    // 17:00 UTC on 24 March 2006 is day 083 at Boulder.
    FakeClock clock(MakeDateTime(2006, 3, 24, 17, 0, 0));
    RecordingMessages messages;
    ScriptedPrint op;
    const QString path = station.DataDir() + "QD06083.061";
    op.answer = ContinueOrEscape::Escape;
    EXPECT_FALSE(PrintQTable(vars.setup, vars.calibration, clock, messages, op));
    EXPECT_EQ(op.shown, QStringList{path});
    EXPECT_FALSE(QFile::exists(path));
    op.answer = ContinueOrEscape::Continue;
    EXPECT_TRUE(PrintQTable(vars.setup, vars.calibration, clock, messages, op));
    EXPECT_TRUE(station.Read("data/QD06083.061").contains("TABLE OF SETTING OF Q1"));
    // A data directory that is not there: the file and the reason named.
    vars.setup.DataDir = station.Home() + "gone/";
    messages.Expect("Q table");
    EXPECT_FALSE(PrintQTable(vars.setup, vars.calibration, clock, messages, op));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(
        messages.texts[0].startsWith("Could not write " + station.Home() + "gone/QD06083.061: "))
        << messages.texts[0].toStdString();
}
