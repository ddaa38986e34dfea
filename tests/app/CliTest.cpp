// SPDX-License-Identifier: GPL-3.0-or-later
// quillon-cli against a scratch station: parameters and day summaries.
#include "records/DayFile.h"
#include "support/CliRun.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestStation.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(Cli, ParamsPrintsEveryLabelOrFailsWithTheFatalText) {
    TestStation station;
    const CliResult ok = RunCli(station, {"params"});
    EXPECT_EQ(ok.code, 0);
    EXPECT_TRUE(ok.out.contains("Station Name: Boulder, Colorado\n"));
    EXPECT_TRUE(ok.out.contains("Instrument Number: 061\n"));
    EXPECT_TRUE(ok.out.contains("Latitude: 40.0375\n"));
    EXPECT_TRUE(ok.out.contains("Last Mercury Test on:  11/28/2026\n"));

    station.Remove("config/inst.cfg");
    const CliResult bad = RunCli(station, {"params"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains("Error # 53:"));
    EXPECT_TRUE(bad.err.contains("System is stopped"));
}

TEST(Cli, SummaryOfAHandMadeDayFile) {
    TestStation station;
    station.Write("data/D06083.999",
                  "\"Boulder, Colorado\"\r\nDobson, 61 \r\n03/24/2006\r\n08:00:00\r\n" +
                      QByteArray(70, '=') +
                      "07Apr06:Carddatefixed\r\n"
                      "OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2\r\n"
                      " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 120000 03 06\r\n");
    const CliResult full = RunCli(station, {"summary", "03/24/2006", "--full"});
    EXPECT_EQ(full.code, 0);
    EXPECT_EQ(full.out, "One ADDS Obs with Ozone=300.0 DU at 120000; Mu:2.000\n"
                        "No AD zenith type observations this day.\n"
                        "No CDDS type observations this day.\n\n");
    // Summaries that a kill left half-written go; a fresh one (the operator
    // program may be writing it) and files of other names stay.
    station.WriteStale("data/.S06080.999.part", "killed");
    station.WriteStale("data/.S06083.999.part", "killed");
    station.WriteStale("data/.notes.part", "mine");
    station.Write("data/.S06084.999.part", "being written");
    const CliResult file = RunCli(station, {"summary", "03/24/2006"});
    EXPECT_EQ(file.code, 0);
    EXPECT_FALSE(station.Read("data/S06083.999").isEmpty());
    QStringList parts = QDir(station.DataDir()).entryList({".*.part"}, QDir::Files | QDir::Hidden);
    parts.sort();
    EXPECT_EQ(parts, QStringList({".S06084.999.part", ".notes.part"}));

    station.Write("data/D06084.999", "\"Someone else\"\r\nDobson, 61 \r\n03/25/2006\r\n");
    const CliResult refused = RunCli(station, {"summary", "03/25/2006"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("is not a data file"));
}

TEST(Cli, SummaryOfAnUnreadableDayFileFails) {
    TestStation station;
    // A directory where the day file should be: reported, exit 1.
    QDir().mkpath(station.Home() + "data/D06083.999");
    const CliResult result = RunCli(station, {"summary", "03/24/2006"});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains("MISC:SumToDay: The day file ")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Program will continue."));

    // A day file of hundreds of megabytes is refused with its size, by the
    // summary and the WOUDC export alike.
    QDir(station.Home() + "data/D06083.999").removeRecursively();
    QFile huge(station.Home() + "data/D06083.999");
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(200LL * 1024 * 1024));
    huge.close();
    for (const QStringList& command :
         {QStringList{"summary", "03/24/2006"}, QStringList{"woudc", "03/24/2006"}}) {
        const CliResult big = RunCli(station, command);
        EXPECT_EQ(big.code, 1) << command.join(' ').toStdString();
        EXPECT_TRUE(big.err.contains(station.Home() + "data/D06083.999")) << big.err.toStdString();
        EXPECT_TRUE(big.err.contains("larger than 67108864 bytes")) << big.err.toStdString();
    }
}

TEST(Cli, ASummaryFileThatCannotBeWrittenLeavesTheSummaryPrinted) {
    TestStation station;
    station.Write("data/D06083.999",
                  "\"Boulder, Colorado\"\r\nDobson,61 \r\n03/24/2006\r\n08:00:00\r\n" +
                      QByteArray(70, '=') + "\r\n" +
                      "OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2\r\n"
                      " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 120000 03 06\r\n");
    // A directory in the summary file's place: it cannot be replaced.
    QDir().mkpath(station.Home() + "data/S06083.999");
    const CliResult r = RunCli(station, {"summary", "03/24/2006"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "One ADDS Obs with Ozone=300.0 DU at 120000; Mu:2.000\n"
                     "No AD zenith type observations this day.\n"
                     "No CDDS type observations this day.\n\n");
    EXPECT_TRUE(
        r.err.contains("Could not write the summary file " + station.Home() + "data/S06083.999: "))
        << r.err.toStdString();
}

TEST(Cli, MercuryTestOnPaperReviewAndAdjustment) {
    TestStation station;
    // Refused before anything is written: a reading out of range, a
    // separation out of limits, an incomplete test.
    CliResult r = RunCli(station, {"hgtest", "--temps", "20.0,21.0", "--pairs", "78.0/29.9"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "29.9 is out of range. \n");
    r = RunCli(station, {"hgtest", "--temps", "20.0,21.0", "--pairs", "49.99/45.0"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(
        r.err.startsWith("Warning -- Difference between upper and lower readings out of limits\n"));
    r = RunCli(station, {"hgtest", "--temps", "20.0,21.0", "--pairs", "78.0/70.6,78.0/70.6"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(station.Read("history/hghist.061").isEmpty());

    // Negative temperatures stay values. 0.0 and 0.5: average 0.25, table
    // 74.3 - 0.25 x (0.25 - 15) = 77.9875; test average 77.9, difference -0.0875.
    r = RunCli(station, {"hgtest", "--temps", "-0.0,0.5", "--pairs",
                         "81.6/74.2,81.6/74.2,81.6/74.2", "--initials", "rde"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Test Average: 77.90\nTable value: 77.99\nDifference: -0.09\n"
                     "Test value close to existing table value.\n"
                     "Existing table parameters used by the program are acceptable.\n");
    EXPECT_FALSE(station.Read("history/hghist.061").isEmpty());
    // The day file the command started begins, after its header, with the
    // calibration it was recorded with, as the operator program's do.
    const QStringList days = QDir(station.DataDir()).entryList({"D*.999"}, QDir::Files);
    ASSERT_EQ(days.size(), 1);
    const QStringList dayLines = QString::fromLatin1(station.Read("data/" + days[0])).split("\r\n");
    ASSERT_GT(dayLines.size(), 7);
    EXPECT_TRUE(dayLines[5].startsWith("\"COMMENT\",")) << dayLines[5].toStdString();
    EXPECT_TRUE(dayLines[6].startsWith("\"Quillon 1.0 N-table ")) << dayLines[6].toStdString();

    r = RunCli(station, {"qreview"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("There was one test in the file\nDate: "));
    // The history keeps the difference to two decimals.
    EXPECT_TRUE(r.out.endsWith(" Difference: -.09 in limits.\n"
                               "No tests out of the limits were found.\n"))
        << r.out.toStdString();

    // The adjustment: limits, initials, the files.
    r = RunCli(station, {"qadjust", "3.51", "--initials", "RDE"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "3.51 Too large. \n");
    r = RunCli(station, {"qadjust", "-3.5"});
    EXPECT_EQ(r.code, 2);
    r = RunCli(station, {"qadjust", "-1", "--initials", "RDE"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("A: 95.83\nC: 117.21\nD: 131.73\nHg: 73.30\n"))
        << r.out.toStdString();
    EXPECT_FALSE(station.Read("config/instcfg.bak").isEmpty());

    r = RunCli(station, {"qtable", "--out", station.Home() + "q.txt"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, station.Home() + "q.txt\n");
    EXPECT_TRUE(station.Read("q.txt").contains("A:95.85C:117.20D:131.75Hg:73.30"));
}

TEST(Cli, DaysAndTheSummaryOfAnotherDirectory) {
    TestStation station;
    QTemporaryDir archive;
    QFile day(archive.filePath("D07097.999"));
    ASSERT_TRUE(day.open(QIODevice::WriteOnly));
    const QByteArray bytes =
        "\"Boulder, Colorado\"\r\nDobson, 61 \r\n04/07/2007\r\n08:00:00\r\n" + QByteArray(70, '=') +
        "07Apr06:Carddatefixed\r\n"
        "OBS,04/07/2007,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2\r\n"
        " 170.0 170.0 170.0 080.0 080.0ADDSGQP 07 120000 04 07\r\n";
    day.write(bytes);
    day.close();
    CliResult r = RunCli(station, {"days", archive.path()});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "04/07/2007 D07097.999 " + QString::number(bytes.size()) + "\n");
    r = RunCli(station, {"days"}); // the data directory has no day files yet
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith("No Dayfiles: No DayFiles found in:"));
    r = RunCli(station, {"summary", "04/07/2007", "--dir", archive.path(), "--full"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "One ADDS Obs with Ozone=300.0 DU at 120000; Mu:2.000\n"
                     "No AD zenith type observations this day.\n"
                     "No CDDS type observations this day.\n");
    r = RunCli(station, {"summary", "02/29/2007", "--dir", archive.path()});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("MISC:SumAday: 02/29/2007 Will not convert to DOY"));
}

TEST(Cli, DaysListsExactlyTheFilesTheSummaryReads) {
    TestStation station;
    QTemporaryDir archive;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(archive.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    const QByteArray obs =
        "OBS,04/0D/2007,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2\r\n"
        " 170.0 170.0 170.0 080.0 080.0ADDSGQP 07 120000 04 0D\r\n";
    const auto day = [&](char d, const QByteArray& station) {
        QByteArray text = station + "\r\nDobson, 61 \r\n04/0D/2007\r\n08:00:00\r\n" +
                          QByteArray(70, '=') + "\r\n" + obs;
        return text.replace("0D", QByteArray("0") + d);
    };
    // Lines ended by CR alone (an old Mac editor) read like CR LF ones; an
    // editor's UTF-8 byte-order mark is no part of the station's name.
    write("D07091.999", day('1', "\"Boulder, Colorado\"").replace("\r\n", "\r"));
    write("D07092.999", "\xEF\xBB\xBF" + day('2', "\"Boulder, Colorado\""));
    // A first line of 70,000 characters after the name: read whole by both.
    write("D07097.999", day('7', "\"Boulder, Colorado\"," + QByteArray(70000, 'x')));
    // Refused by both: NUL bytes, random bytes, another station's day and
    // a third line that is no date.
    write("D07093.999", QByteArray(4096, '\0'));
    QByteArray noise;
    for (int i = 0; i < 3000; ++i) {
        noise += static_cast<char>((i * 7919 + 13) % 256);
    }
    write("D07094.999", noise);
    write("D07095.999", day('5', "\"Elsewhere\""));
    write("D07096.999",
          day('6', "\"Boulder, Colorado\"").replace("04/06/2007\r\n08", "Friday\r\n08"));

    const CliResult days = RunCli(station, {"days", archive.path()});
    EXPECT_EQ(days.code, 0);
    const QStringList listed = days.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(listed.size(), 3) << days.out.toStdString();
    EXPECT_TRUE(listed[0].startsWith("04/01/2007 D07091.999 "));
    EXPECT_TRUE(listed[1].startsWith("04/02/2007 D07092.999 "));
    EXPECT_TRUE(listed[2].startsWith("04/07/2007 D07097.999 "));
    const QStringList refused = days.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(refused.size(), 4) << days.err.toStdString();
    // 4096 NUL bytes are one line of 4096 control characters: 80 shown.
    EXPECT_EQ(refused[0],
              "Cannot read D07093.999 (not a data file, first line: " + QString(80, '?') + ")");
    EXPECT_TRUE(refused[1].startsWith("Cannot read D07094.999 (not a data file, first line: "));
    EXPECT_EQ(refused[2], "Cannot read D07095.999 (not a data file, first line: Elsewhere)");
    EXPECT_EQ(refused[3],
              "Cannot read D07096.999 (no date of the form MM/DD/YYYY on its third line: Friday)");

    for (int d = 1; d <= 7; ++d) {
        const QString date = QStringLiteral("04/0%1/2007").arg(d);
        const bool read = d <= 2 || d == 7;
        const CliResult summary = RunCli(station, {"summary", date, "--dir", archive.path()});
        EXPECT_EQ(summary.code, read ? 0 : 1) << date.toStdString() << summary.err.toStdString();
        if (read) {
            EXPECT_TRUE(summary.out.startsWith("One ADDS Obs with Ozone=300.0 DU at 120000; "
                                               "Mu:2.000\n"))
                << date.toStdString();
        }
    }
}

TEST(Cli, IcSetRecomputesASetFromItsReadings) {
    TestStation station;
    CliResult r = RunCli(station, {"icset", "DS", "--date", "2026-12-08", "--c",
                                   "17:00:49,150.0,0.2", "--d", "17:01:49,120.0,0.1"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    // Mean of C and D: 17:01:19; A missing, so no AD; the record at
    // 10:01 local, cut to the minute.
    EXPECT_TRUE(lines[0].startsWith("BDR,2026-12-08,17:01:19,DS,17:00:49,"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(",17:01:49,"));
    EXPECT_TRUE(lines[0].contains(",-90000,-90000,-90000,-90000,-90000,-90000,-90000,"));
    EXPECT_EQ(lines[1], "\"OBS\",\"12/08/2026\",\"100100\",\"I DSGQP\", 150.0, 000.2, 120.0, "
                        "000.1, 000.0, 000.0,");
    EXPECT_EQ(lines[2], " 150.0 120.0 000.0 000.0 000.0I DSGQP 08 100100 12 26 C " +
                            QString(10, u' ') + "      061  BDR");
    r = RunCli(station, {"icset", "DS", "--date", "2026-12-08"});
    EXPECT_EQ(r.code, 2);
    r = RunCli(station, {"icset", "Moon", "--date", "2026-12-08", "--c", "17:00:49,150,0.2"});
    EXPECT_EQ(r.code, 2);
}

TEST(Cli, HelpVersionUnknownAndAMissingHome) {
    TestStation station;
    CliResult r = RunCli(station, {"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("quillon-cli 1.0\nCopyright (C) 2026 The Quillon developers\n"
                                 "License GPLv3+: GNU GPL version 3 or later "
                                 "<https://gnu.org/licenses/gpl.html>.\n"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("\nBuilt with Qt 6."));
    r = RunCli(station, {"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: quillon-cli [--home DIR] COMMAND [ARGUMENTS]\n"));
    EXPECT_TRUE(r.out.contains("\nExit status:\n  0  done\n"));
    for (const char* command : {"params", "summary", "days", "sun", "reduce", "rdial", "send",
                                "hgtest", "qreview", "qadjust", "qtable", "icset"}) {
        EXPECT_TRUE(r.out.contains(QString("\n  ") + command)) << command;
    }
    r = RunCli(station, {"help", "qadjust"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "Usage: quillon-cli [--home DIR] qadjust VALUE --initials XX\n"
                     "adjust the Q-table by VALUE Hg divisions (-3.5 to 3.5)\n");
    r = RunCli(station, {"frobnicate"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.startsWith("quillon-cli: unknown command frobnicate\nUsage: quillon-cli"));
    EXPECT_TRUE(r.out.isEmpty());
    r = RunCli(station, {"--bogus", "params"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("Usage: quillon-cli"));

    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home() + "no-such-home", "params"});
    cli.waitForFinished(30000);
    EXPECT_EQ(cli.exitCode(), 1);
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_TRUE(err.startsWith("The station home " + station.Home() +
                               "no-such-home/ does not "
                               "exist.\nTo train on the example station, copy it there:\n  cp -r "))
        << err.toStdString();
}

TEST(Programs, HelpAndVersionOfTheOperatorProgramAndTheSimulator) {
    for (const QString& program :
         {QStringLiteral(QUILLON_GUI), QStringLiteral(QUILLON_TOOLS_DIR "/cub5-sim")}) {
        const QString name = QFileInfo(program).fileName();
        QProcess p;
        p.start(program, {"--version"});
        p.waitForFinished(30000);
        EXPECT_EQ(p.exitCode(), 0) << name.toStdString();
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput())
                        .startsWith(name + " 1.0\nCopyright (C) 2026 The Quillon developers\n"));
        p.start(program, {"--help"});
        p.waitForFinished(30000);
        EXPECT_EQ(p.exitCode(), 0);
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(help.startsWith("Usage: " + name + " [")) << help.toStdString();
        EXPECT_TRUE(help.contains("\nExit status:\n"));
        p.start(program, {"--no-such-option"});
        p.waitForFinished(30000);
        EXPECT_EQ(p.exitCode(), 2);
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("Usage: " + name));
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    }
}

TEST(Cli, SunAndReducePinnedToValuesWorkedOutApart) {
    // Boulder (40.0375 N, 105.2514 W, 1689 m; ozone layer 22 km over a
    // 6369 km earth) at 2006-03-24 18:00 UTC, from the ephemeris, worked
    // out separately.
    TestStation station;
    CliResult r = RunCli(station, {"sun", "2006-03-24T18:00:00"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "mu: 1.32957334987\nairmass: 1.33098431504\nzenith: 41.385817663\n"
                     "julian: 2453819.25\n");
    // A: mean 170.5 on the demo N-table (159.9 + 9.8 x 0.05) plus the lamp
    // correction 0.4; D: mean 80.25 (68.4 + 8.7 x 0.025) plus 0.1. Spreads
    // 0.2 and 0.3 combine to sqrt(0.065); ozone 10 x 92.0725 / (1.432 mu)
    // less 7 x 836/1013.
    r = RunCli(station, {"reduce", "ADDSGQP", "--utc", "2006-03-24T18:00:00", "--readings",
                         "170,80,170.5,80.5,171", "--sd", "0.2,0.3,0.2,0.3,0.2"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "N1: 160.79\nN2: 68.7175\nspread: 0.25495097568\nmu: 1.32957334987\n"
                     "ozone: 477.810098154\nozone_spread: 1.33906407537\n");
}

TEST(Cli, EveryCommandRefusesWhatItDoesNotKnow) {
    TestStation station;
    const QStringList commands[] = {
        {"params"},
        {"summary", "03/24/2006"},
        {"days"},
        {"woudc", "03/24/2006"},
        {"sun", "2006-03-24T18:00:00"},
        {"reduce", "ADDSGQP", "--utc", "2006-03-24T18:00:00", "--readings", "1,2,3,4,5"},
        {"rdial"},
        {"send"},
        {"hgtest", "--temps", "20,21", "--pairs", "76.6/69.4"},
        {"qreview"},
        {"qadjust", "1", "--initials", "AB"},
        {"qtable"},
        {"plan", "2026-12-08"},
        {"icset", "DS", "--date", "2026-12-08"},
    };
    const QByteArray before = station.Read("config/inst.cfg");
    for (const QStringList& command : commands) {
        CliResult r = RunCli(station, command + QStringList{"--bogus"});
        EXPECT_EQ(r.code, 2) << command.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("Unknown option 'bogus'.\n") &&
                    r.err.contains("sage: quillon-cli"))
            << command.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << command.join(' ').toStdString();
    }
    // An extra word is refused too.
    for (const QStringList& command :
         {QStringList{"params", "extra"}, QStringList{"sun", "2006-03-24T18:00:00", "extra"},
          QStringList{"send", "now"}, QStringList{"rdial", "5"}}) {
        EXPECT_EQ(RunCli(station, command).code, 2) << command.join(' ').toStdString();
    }
    EXPECT_EQ(station.Read("config/inst.cfg"), before); // nothing was done
}

TEST(Cli, OptionFormsNegativeValuesAndTheHomeAnywhere) {
    TestStation station;
    const QString home = station.Home();
    // --opt=value is --opt value; a negative number is a value.
    const CliResult spaced = RunCli(station, {"reduce", "ADDSGQP", "--utc", "2006-03-24T18:00:00",
                                              "--readings", "-170,80,170.5,80.5,171"});
    const CliResult joined = RunCli(station, {"reduce", "ADDSGQP", "--utc=2006-03-24T18:00:00",
                                              "--readings=-170,80,170.5,80.5,171"});
    EXPECT_EQ(spaced.code, 0) << spaced.err.toStdString();
    EXPECT_EQ(joined.code, 0) << joined.err.toStdString();
    EXPECT_EQ(joined.out, spaced.out);
    // The hidden mark of a negative value never shows.
    const CliResult hg = RunCli(
        station, {"hgtest", "--temps", "20,21", "--pairs", "-76.6/69.4", "--initials", "AB"});
    EXPECT_EQ(hg.code, 1);
    EXPECT_EQ(hg.err, "-76.6 is out of range. \n");

    // --home before the command, after it, and as --home=DIR: this station,
    // never the default one.
    for (const QStringList& args :
         {QStringList{"--home", home, "params"}, QStringList{"params", "--home", home},
          QStringList{"--home=" + home, "params"}, QStringList{"params", "--home=" + home}}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.code, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.contains("Station Name: Boulder, Colorado\n"));
    }
    const CliResult missing = RunCli({"params", "--home", home + "none"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.startsWith("The station home " + home + "none/ does not exist."));
    EXPECT_EQ(RunCli({"params", "--home"}).code, 2);
    // Help after a command is that command's.
    const CliResult help = RunCli({"sun", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out, "Usage: quillon-cli [--home DIR] sun YYYY-MM-DDTHH:MM:SS\n"
                        "mu, air mass, zenith angle and Julian day at a UTC time\n");
}

TEST(Cli, EachExitStatus) {
    TestStation station;
    // 2: an unknown or missing observation type, with the types.
    CliResult r = RunCli(
        station, {"reduce", "XYZ", "--utc", "2006-03-24T18:00:00", "--readings", "1,2,3,4,5"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "not an observation type: XYZ; the types are ADDSGQP, CDDSGQP, ADDSFI, "
                     "CDDSFI, ADZB, ADZC, CDZB, CDZC, CCZB, CCZC, ADRMFI, CDRMFI\n");
    EXPECT_TRUE(r.out.isEmpty());
    r = RunCli(station, {"reduce", "--utc", "2006-03-24T18:00:00", "--readings", "1,2,3,4,5"});
    EXPECT_EQ(r.code, 2);
    // 1: a day without its day file.
    r = RunCli(station, {"summary", "01/02/2026"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, station.Home() + "data/D26002.999 does not exist\n");
    EXPECT_TRUE(r.out.isEmpty());
    // 3: no counter to read.
    r = RunCli(station, {"rdial"});
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.err, "No encoder port is configured in disc.cfg.\n");
    r = RunCli(station, {"rdial", "--window", "0"});
    EXPECT_EQ(r.code, 2);
}

TEST(Cli, TheManualsSynopsesAreTheHelpsOwn) {
    // The manual rendered without line breaks or fonts: each command's
    // synopsis as `--help` lists it, no stray quote, no lost blank.
    QProcess groff;
    groff.start("groff", {"-man", "-Tutf8", "-P-cbou", "-rLL=200n",
                          QStringLiteral(QUILLON_SOURCE_DIR "/man/quillon-cli.1")});
    ASSERT_TRUE(groff.waitForFinished(30000)) << "groff-base is installed by scripts/install-deps";
    QStringList manual;
    for (const QString& line : QString::fromUtf8(groff.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("       ") && !line.startsWith("        ")) {
            manual << line.trimmed();
        }
    }
    const CliResult help = RunCli(TestStation(), {"--help"});
    QStringList synopses;
    for (const QString& line : help.out.split('\n')) {
        if (line.startsWith("  ") && !line.startsWith("   ") && !line.startsWith("  -") &&
            line.size() > 2 && !line[2].isDigit()) {
            synopses << line.trimmed();
        }
    }
    ASSERT_EQ(synopses.size(), 16);
    for (const QString& synopsis : synopses) {
        // A short synopsis shares its line with the text after it.
        const bool listed = std::any_of(manual.begin(), manual.end(), [&](const QString& line) {
            return line == synopsis || line.startsWith(synopsis + " ");
        });
        EXPECT_TRUE(listed) << synopsis.toStdString();
    }
}
