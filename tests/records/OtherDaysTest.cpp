// SPDX-License-Identifier: GPL-3.0-or-later
// The browser of other days without widgets: the day-file list of any
// directory and its order, and SumAday's date check, texts and summary file
// against text worked out by hand.
#include "records/OtherDays.h"
#include "records/DayFileFixtures.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace quillon;
using namespace quillon::test;

TEST(DayFileList, OnlyFilesWithDataOldestDayFirst) {
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("D07096.083", Header("04/06/2007"));
    write("D07097.083", Header("04/07/2007") + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2"));
    write("D99365.083", Header("12/31/1999") + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2"));
    // A long day: far more than 32,767 bytes.
    QByteArray longDay = Header("01/01/2007");
    while (longDay.size() < 40000) {
        longDay += Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2");
    }
    write("D07001.083", longDay);
    write("D07002.999", Header("01/02/2007") + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2"));
    write("notes.083", "x");
    const DayFileList list = ListDayFiles(dir.path() + "/", "083", "Boulder, Colorado");
    EXPECT_EQ(list.matched, 4);
    ASSERT_EQ(list.entries.size(), 3);
    EXPECT_EQ(list.entries[0].name, "D99365.083"); // 31 December 1999 first
    EXPECT_EQ(list.entries[1].name, "D07001.083");
    EXPECT_EQ(list.entries[1].length, longDay.size());
    EXPECT_GT(list.entries[1].length, 32767);
    EXPECT_EQ(list.entries[2].name, "D07097.083");
    EXPECT_EQ(list.entries[2].date, "04/07/2007");
    EXPECT_LT(DayFileSortKey("D80001.083"), DayFileSortKey("D99365.083"));
    EXPECT_LT(DayFileSortKey("D99365.083"), DayFileSortKey("D00001.083"));
    EXPECT_LT(DayFileSortKey("D26342.083"), DayFileSortKey("D79001.083"));
    EXPECT_TRUE(list.message.isEmpty());

    QTemporaryDir empty;
    const DayFileList none = ListDayFiles(empty.path() + "/", "083", "Boulder, Colorado");
    EXPECT_EQ(none.title, "No Dayfiles");
    EXPECT_EQ(none.message,
              "No DayFiles found in:" + empty.path() + "/\n Try another disk or directory.");
    QTemporaryDir headers;
    QFile only(headers.filePath("D07096.083"));
    ASSERT_TRUE(only.open(QIODevice::WriteOnly));
    only.write(Header("04/06/2007"));
    only.close();
    EXPECT_EQ(ListDayFiles(headers.path() + "/", "083", "Boulder, Colorado").title,
              "No Data in DayFiles");
}

class SumAdayTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars = LoadedVars(station);
        vars.setup.UtcOffsetHours = 7;
        directory = dir.path() + "/";
    }
    TestStation station;
    StationState vars;
    QTemporaryDir dir;
    QString directory;
    FakeClock clock{MakeDateTime(2007, 4, 7, 20, 0, 0)}; // 13:00 local
    RecordingMessages messages;
};

TEST_F(SumAdayTest, DateCheck) {
    SummaryTexts texts;
    messages.Expect("MISC:SumAday", 3);
    EXPECT_FALSE(
        SumAday(vars.setup, clock, "02/29/2007", SummaryDetail::Full, directory, texts, messages));
    EXPECT_EQ(messages.texts.last(), "02/29/2007 Will not convert to DOY");
    EXPECT_FALSE(
        SumAday(vars.setup, clock, "13/01/2007", SummaryDetail::Full, directory, texts, messages));
    EXPECT_FALSE(
        SumAday(vars.setup, clock, "1/1/2007", SummaryDetail::Full, directory, texts, messages));
    // 2008 is a leap year: no file there, nothing to say.
    EXPECT_TRUE(
        SumAday(vars.setup, clock, "02/29/2008", SummaryDetail::Full, directory, texts, messages));
}

TEST_F(SumAdayTest, TextsAndSummaryFileOfADay) {
    QFile day(directory + "D07097.999");
    ASSERT_TRUE(day.open(QIODevice::WriteOnly));
    day.write(Header("04/07/2007") + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2") +
              Obs("110000", "CDDSGQP", "3.000", "305.5", "2.1") +
              Obs("140000", "ADDSGQP", "4.000", "310.0", "1.2") +
              Obs("100000", "CDZC", "1.500", "280.0", "1.0"));
    day.close();
    SummaryTexts texts;
    ASSERT_TRUE(SumAday(vars.setup, clock, "04/07/2007", SummaryDetail::WithFile, directory, texts,
                        messages));
    // ADDS: 300 and 310 at mu 2 and 4: mean 305.0, spread sqrt(50) = 7.1,
    // 13:00:00, harmonic mu 2.67. CD zenith is no class here.
    EXPECT_EQ(texts.adds, QString("2 ADDS OBS Average Ozone=305.0") + QChar(0xB1) +
                              "7.1 DU at mean time:130000; Mu:2.67");
    EXPECT_EQ(texts.adZenith, "No AD zenith type observations this day.");
    EXPECT_EQ(texts.cdds, "One CDDS Obs with Ozone=305.5 DU at 110000; Mu:3.000");
    const QString pm(QChar(0xB1));
    const QStringList expected = {
        "",
        QString(25, u' ') + "Dobson  61 Observations at:",
        QString(31, u' ') + "Boulder, Colorado",
        QString(26, u' ') + "Observations for 04/07/2007",
        "",
        "         Type:     Time:     Mu:       DS Ozone:           Zen Ozone: ",
        "         ADDSGQP   120000    2.000     300.0" + pm + "1.20",
        "         CDDSGQP   110000    3.000     305.5" + pm + "2.1",
        "         ADDSGQP   140000    4.000     310.0" + pm + "1.20",
        "         CDZC      100000    1.500" + QString(20, u' ') + "Not Calc'd",
        QString(32, u' ') + "Daily Averages",
        "2  ADDS Obs Average Ozone=305.0" + pm + "7.1 DU at mean time:130000 Mu:2.67",
        "No AD zenith type observations this day.",
        "One CDDS  Obs         Ozone=305.5 DU                  at:110000 Mu:3.000",
        "13:00:00 : 07 Apr 2007" + QString(QChar(12))};
    QFile summary(directory + "S07097.999");
    ASSERT_TRUE(summary.open(QIODevice::ReadOnly));
    EXPECT_EQ(SplitLines(DecodeWindows1252(summary.readAll())), expected);
}

TEST_F(SumAdayTest, ADayWithoutAverages) {
    QFile day(directory + "D07097.999");
    ASSERT_TRUE(day.open(QIODevice::WriteOnly));
    day.write(Header("04/07/2007") + Obs("100000", "CDZC", "1.500", "280.0", "1.0"));
    day.close();
    SummaryTexts texts;
    ASSERT_TRUE(SumAday(vars.setup, clock, "04/07/2007", SummaryDetail::WithFile, directory, texts,
                        messages));
    EXPECT_EQ(texts.adds, "No averages for 07 Apr/2007");
    QFile summary(directory + "S07097.999");
    ASSERT_TRUE(summary.open(QIODevice::ReadOnly));
    const QStringList lines = SplitLines(DecodeWindows1252(summary.readAll()));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[lines.size() - 2], "No averages for 07 Apr/2007");
}

TEST(DayFileList, ALinkToAFifoIsNamedNeverOpened) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, dir.filePath("D26342.083")));
    QFile day(dir.filePath("D26341.083"));
    ASSERT_TRUE(day.open(QIODevice::WriteOnly));
    day.write(Header("12/07/2026") + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2"));
    day.close();
    // Returns (a blocking open would wait here for ever) with the day that
    // is a file, and names the link.
    const DayFileList list = ListDayFiles(dir.path() + "/", "083", "Boulder, Colorado");
    ASSERT_EQ(list.entries.size(), 1);
    EXPECT_EQ(list.entries[0].name, "D26341.083");
    EXPECT_EQ(list.unreadable, QStringList{"D26342.083 (not a regular file)"});
}

namespace {

// The browser's operator: the explanation answered, the chooser's
// directories in turn (nothing: back to the top level), each day list seen.
class ScriptedBrowser : public OtherDaysScreens {
public:
    ContinueOrEscape Explain() override {
        log << "Explain";
        return leaveAtExplanation ? ContinueOrEscape::Escape : ContinueOrEscape::Continue;
    }
    std::optional<QString> ChooseDirectory() override {
        log << "ChooseDir";
        return directories.isEmpty() ? std::nullopt : directories.takeFirst();
    }
    void RunDayList(const QString& directory, const DayFileList& list) override {
        QStringList names;
        for (const DayFileEntry& entry : list.entries) {
            names << entry.name;
        }
        log << "DayList " + names.join(' ');
        if (onList) {
            onList(directory, list);
        }
    }
    QStringList log;
    QList<std::optional<QString>> directories;
    bool leaveAtExplanation = false;
    std::function<void(const QString&, const DayFileList&)> onList;
};

} // namespace

TEST(OtherDaysBrowser, ChooserListAndBackUpOneStepAtATime) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2007, 4, 7, 20, 0, 0));
    ScriptedBrowser op;
    OtherDaysBrowser browser(vars.setup, fakes.clock, fakes.messages, op);

    op.leaveAtExplanation = true;
    browser.Run();
    EXPECT_EQ(op.log, QStringList({"Explain"}));

    // A directory without day files is said and the chooser comes back; a
    // station without an encoder sees its ".999" files, oldest day first;
    // backing up from the list returns to the chooser, and from there to
    // the top level.
    QTemporaryDir empty;
    QTemporaryDir archive;
    for (const auto& [name, date] :
         {std::pair{"D07097.999", "04/07/2007"}, std::pair{"D99365.999", "12/31/1999"}}) {
        QFile file(archive.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Header(date) + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2"));
    }
    op.log.clear();
    op.leaveAtExplanation = false;
    op.directories = {empty.path() + "/", archive.path() + "/"};
    op.onList = [&](const QString& directory, const DayFileList& list) {
        const OtherDaysBrowser::DayView view = browser.Choose(directory, list.entries[1]);
        EXPECT_EQ(view.lines[0], "One ADDS Obs with Ozone=300.0 DU at 120000; Mu:2.000");
        EXPECT_EQ(view.summaryFile, "S07097.999");
        EXPECT_TRUE(browser.MakeSummaryFile(directory, list.entries[1]));
    };
    fakes.messages.Expect("No Dayfiles");
    browser.Run();
    EXPECT_EQ(op.log, QStringList({"Explain", "ChooseDir", "ChooseDir",
                                   "DayList D99365.999 D07097.999", "ChooseDir"}));
    EXPECT_TRUE(QFile::exists(archive.filePath("S07097.999")));
}
