// SPDX-License-Identifier: GPL-3.0-or-later
// quillon-cli reprocess on hand-made day files: its own calibration gives
// back the recorded ozone, a shifted N-table moves each class by the
// amount worked out by hand, the UTC date rolls over after local midnight
// UTC, a damaged record is named and skipped, and --woudc writes the day's
// file with the new values. The day files are never changed.
#include "observe/Reprocess.h"
#include "support/CliRun.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// An OBS record of 24 March 2006 at Boulder (UTC-7): readings first
// wavelength 1, 2, 3, then second 1, 2.
QByteArray Obs(const char* time, const char* type, const char* mu, const char* ozone,
               const char* readings) {
    return QByteArray("OBS,03/24/2006,") + time + "," + type + ",23.0, 0.0, 0.0,0.3, " + mu + "," +
           ozone + ",1.3\r\n" + readings + type + " 24 " + time + " 03 06\r\n";
}

QByteArray Day(const QByteArray& records) {
    return QByteArray("\"Boulder, Colorado\"\r\nDobson,61 \r\n03/24/2006\r\n08:00:00\r\n") +
           QByteArray(70, '=') + "\r\n" + records;
}

// The station's N-table with `shift` added to column `column` (A 0, C 1,
// D 2) of every row.
QByteArray ShiftedNTable(const TestStation& station, int column, double shift) {
    const QStringList lines = SplitLines(DecodeWindows1252(station.Read("config/ntable.061")));
    QByteArray out = lines[0].toLatin1() + "\r\n";
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringList values = lines[i].split(',');
        values[column] = QString::number(values[column].toDouble() + shift, 'f', 2);
        out += values.join(',').toLatin1() + "\r\n";
    }
    return out;
}

} // namespace

TEST(Reprocess, OwnCalibrationGivesBackTheRecordedOzone) {
    TestStation station;
    // 18:00 UTC is 11:00 local. A: 170, 170.5, 171; D: 80, 80.5 (exact
    // tenths). By hand: N_A 160.39 + 0.4, N_D 68.6175 + 0.1, mu
    // 1.32957334987, ozone 10 x 92.0725 / (1.432 mu) - 7 x 836/1013 =
    // 477.810. The CCZB record has no ozone and is not reprocessed.
    station.Write("data/D06083.999",
                  Day(Obs("110000", "ADDSGQP", "1.330", "477.8", " 170.0 170.5 171.0 080.0 080.5") +
                      Obs("113000", "CCZB", "1.300", "-99.9", " 170.0 170.5 171.0 080.0 080.5")));
    const QByteArray before = station.Read("data/D06083.999");
    const CliResult r = RunCli(station, {"reprocess", station.Home() + "data/D06083.999",
                                         "--calibration", station.Home() + "config"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    // Its flags, on the reprocessed values: a practice day (.999); no lamp
    // test known before 2006, so none overdue.
    EXPECT_EQ(r.out, "date,time,type,mu,ozone_recorded,ozone_reprocessed,difference,flags\n"
                     "2006-03-24,11:00:00,ADDSGQP,1.330,477.8,477.8,0.0,training\n");
    EXPECT_EQ(r.err, "1 records, mean difference 0.01 DU\n");
    EXPECT_EQ(station.Read("data/D06083.999"), before);
}

TEST(Reprocess, ACalibrationOtherThanTheRecordedOneIsSaidOncePerFile) {
    TestStation station;
    // Two starts of the day, both with the N-table of 01/01/2020; the lamp
    // corrections (11/30/2026) are the ones applied.
    const QByteArray start = "\"COMMENT\",\"03/24/2006\",\"08:00:00\"\r\n\"Quillon 1.0 "
                             "N-table 01/01/2020 Lampcorr 11/30/2026 STD-61A Q-table "
                             "06/15/2026\"\r\n";
    station.Write("data/D06083.999", Day(start + start +
                                         Obs("110000", "ADDSGQP", "1.330", "477.8",
                                             " 170.0 170.5 171.0 080.0 080.5")));
    const CliResult r = RunCli(station, {"reprocess", station.Home() + "data/D06083.999",
                                         "--calibration", station.Home() + "config"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, "D06083.999 was recorded with the N-table of 01/01/2020; applying "
                     "03/12/2024\n1 records, mean difference 0.01 DU\n");
}

TEST(Reprocess, AShiftedNTableMovesEachClassByItsOwnFactor) {
    TestStation station;
    const QByteArray records =
        Obs("110000", "ADDSGQP", "1.330", "477.8", " 170.0 170.5 171.0 080.0 080.5") +
        Obs("110000", "CDDSGQP", "1.330", "300.0", " 170.0 170.5 171.0 080.0 080.5") +
        Obs("110000", "CDZC", "1.330", "300.0", " 170.0 170.5 171.0 080.0 080.5");
    station.Write("data/D06083.999", Day(records));
    QTemporaryDir calibration;
    // A and C one N higher: at mu 1.32957334987 AD ozone rises by
    // 10 / (1.432 mu) = 5.252 DU, CD ozone by 10 / (0.459 mu) = 16.386 DU,
    // and CD zenith ozone by that over 1.25 - 0.076 mu = 1.148952, 14.262 DU.
    QFile table(calibration.filePath("ntable.061"));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    QByteArray shifted = ShiftedNTable(station, 0, 1.0);
    {
        TestStation scratch;
        scratch.Write("config/ntable.061", shifted);
        shifted = ShiftedNTable(scratch, 1, 1.0);
    }
    table.write(shifted);
    table.close();
    ASSERT_TRUE(
        QFile::copy(station.Home() + "config/lampcorr.061", calibration.filePath("lampcorr.061")));
    const CliResult own = RunCli(station, {"reprocess", station.Home() + "data/D06083.999",
                                           "--calibration", station.Home() + "config"});
    const CliResult shiftedRun = RunCli(station, {"reprocess", station.Home() + "data/D06083.999",
                                                  "--calibration", calibration.path()});
    ASSERT_EQ(own.code, 0);
    ASSERT_EQ(shiftedRun.code, 0) << shiftedRun.err.toStdString();
    const QStringList a = own.out.split('\n');
    const QStringList b = shiftedRun.out.split('\n');
    ASSERT_EQ(b.size(), 5);
    // AD 483.1 and CD at the same minute far apart: both flagged adcd (the
    // CD of A-dial readings also far out of range).
    EXPECT_EQ(b[1], "2006-03-24,11:00:00,ADDSGQP,1.330,477.8,483.1,5.3,training;adcd");
    EXPECT_TRUE(b[2].endsWith(",range;training;adcd")) << b[2].toStdString();
    EXPECT_NEAR(b[2].section(',', 5, 5).toDouble() - a[2].section(',', 5, 5).toDouble(), 16.386,
                0.1);
    EXPECT_NEAR(b[3].section(',', 5, 5).toDouble() - a[3].section(',', 5, 5).toDouble(), 14.262,
                0.1);
}

TEST(Reprocess, TheUtcDateRollsOverAfterLocalMidnightUtc) {
    TestStation station;
    // 17:30 local is 00:30 UTC on 25 March: the sun of the 25th.
    station.Write("data/D06083.999", Day(Obs("173000", "ADDSGQP", "7.000", "300.0",
                                             " 170.0 170.5 171.0 080.0 080.5")));
    const CliResult r = RunCli(station, {"reprocess", station.Home() + "data/D06083.999",
                                         "--calibration", station.Home() + "config"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString mu = r.out.split('\n')[1].section(',', 3, 3);
    EXPECT_EQ(r.out.split('\n')[1].left(20), "2006-03-24,17:30:00,");
    const QString sun25 = RunCli(station, {"sun", "2006-03-25T00:30:00"}).out.section('\n', 0, 0);
    const QString sun24 = RunCli(station, {"sun", "2006-03-24T00:30:00"}).out.section('\n', 0, 0);
    EXPECT_NEAR(mu.toDouble(), sun25.mid(4).toDouble(), 0.0005);
    EXPECT_GT(std::abs(mu.toDouble() - sun24.mid(4).toDouble()), 0.01);
}

TEST(Reprocess, ADamagedRecordIsNamedAndSkippedAndWoudcFilesAreWritten) {
    TestStation station;
    station.Write(
        "data/D06083.999",
        Day(Obs("110000", "ADDSGQP", "1.330", "477.8", " 170.0 170.5 171.0 080.0 080.5") +
            Obs("120000", "ADDSGQP", "1.300", "470.0", " 17x.0 170.5 171.0 080.0 080.5")));
    QTemporaryDir out;
    const CliResult r =
        RunCli(station, {"reprocess", station.Home() + "data/D06083.999", "--calibration",
                         station.Home() + "config", "--out", out.filePath("r.csv")});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, station.Home() +
                         "data/D06083.999: OBS ADDSGQP 03/24/2006 120000: its readings are not "
                         "five numbers, skipped\n1 records, mean difference 0.01 DU\n");
    QFile csv(out.filePath("r.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(), "date,time,type,mu,ozone_recorded,ozone_reprocessed,difference,flags\n"
                             "2006-03-24,11:00:00,ADDSGQP,1.330,477.8,477.8,0.0,training\n");

    // --woudc: the day's WOUDC file with the reprocessed values, as the
    // woudc command writes it.
    station.Write("config/woudc.cfg", "067\r\nUSA\r\nBLD\r\nMSX\r\n\"A. Scientist\"\r\nM1\r\n");
    const CliResult woudc = RunCli(station, {"reprocess", station.Home() + "data/D06083.999",
                                             "--calibration", station.Home() + "config", "--woudc",
                                             out.path(), "--out", out.filePath("r.csv")});
    EXPECT_EQ(woudc.code, 0) << woudc.err.toStdString();
    QFile file(out.filePath("20060324.Dobson.M1.061.MSX.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    // A new version of the data (1.0 of woudc.cfg raised to 1.1), and what
    // was applied named (the demo station's N-table of 03/12/2024, lamp
    // corrections of 11/30/2026).
    EXPECT_TRUE(text.startsWith("*Quillon 1.0: day file D06083.999\n"
                                "*reprocessed by Quillon 1.0 with N-table 03/12/2024, lamp "
                                "corrections 11/30/2026\n#CONTENT\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains(",MSX,1.1,A. Scientist\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("#OBSERVATIONS\n"
                              "Time,WLCode,ObsCode,Airmass,ColumnO3,StdDevO3,ColumnSO2,StdDevSO2\n"
                              "11:00:00,0,0,1.330,477.8,1.3,,\n\n"))
        << text.toStdString();

    // Leaving out the flagged ones: on this practice day (.999) the one
    // record is flagged, so no file, and why.
    const CliResult flagged =
        RunCli(station, {"reprocess", station.Home() + "data/D06083.999", "--calibration",
                         station.Home() + "config", "--woudc", out.path(), "--leave-out-flagged",
                         "--out", out.filePath("r.csv")});
    EXPECT_EQ(flagged.code, 1);
    EXPECT_TRUE(flagged.err.contains("D06083.999: no observation of 03/24/2006 can be sent to "
                                     "WOUDC (1 flagged observation(s) left out, no other)\n"))
        << flagged.err.toStdString();

    // A version of the station's choosing; one that is none is refused.
    const CliResult chosen =
        RunCli(station, {"reprocess", station.Home() + "data/D06083.999", "--calibration",
                         station.Home() + "config", "--woudc", out.path(), "--data-version", "2.0",
                         "--out", out.filePath("r.csv")});
    EXPECT_EQ(chosen.code, 0) << chosen.err.toStdString();
    QFile again(out.filePath("20060324.Dobson.M1.061.MSX.csv"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_TRUE(again.readAll().contains(",MSX,2.0,A. Scientist\n"));
    const CliResult wrong = RunCli(station, {"reprocess", station.Home() + "data/D06083.999",
                                             "--calibration", station.Home() + "config", "--woudc",
                                             out.path(), "--data-version", "two"});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_EQ(wrong.err, "--data-version: not a version MAJOR.MINOR: two\n");

    // Without woudc.cfg no WOUDC file can be made: refused, with the file.
    station.Remove("config/woudc.cfg");
    const CliResult refused =
        RunCli(station, {"reprocess", station.Home() + "data/D06083.999", "--calibration",
                         station.Home() + "config", "--woudc", out.path()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.startsWith(station.Home() + "config/woudc.cfg"))
        << refused.err.toStdString();
    // A calibration directory without its lamp corrections is refused.
    QTemporaryDir partial;
    ASSERT_TRUE(QFile::copy(station.Home() + "config/ntable.061", partial.filePath("ntable.061")));
    const CliResult noLamp = RunCli(station, {"reprocess", station.Home() + "data/D06083.999",
                                              "--calibration", partial.path()});
    EXPECT_EQ(noLamp.code, 1);
    EXPECT_EQ(noLamp.err, partial.path() + "/lampcorr.061: File not found\n");
    // No day file named: a usage error.
    EXPECT_EQ(RunCli(station, {"reprocess", "--calibration", partial.path()}).code, 2);
}

TEST(Reprocess, EveryDayInTurnAndAWoudcFileThatCannotBeWrittenIsNamed) {
    TestStation station;
    station.Write("data/D06083.999", Day(Obs("110000", "ADDSGQP", "1.330", "477.8",
                                             " 170.0 170.5 171.0 080.0 080.5")));
    station.Write("data/notaday.txt", "x\r\n");
    StationState vars = LoadedVars(station);
    const QString gone = station.Home() + "no-such-dir/";
    WoudcStation woudc;
    woudc.platformId = "067";
    woudc.country = "USA";
    woudc.agency = "NOAA-CMDL";
    woudc.authority = "A. Scientist";
    woudc.model = "Beck";
    const ReprocessRun run =
        ReprocessDayFiles(vars.setup, vars.calibration, QualityLimits{},
                          {station.DataDir() + "D06083.999", station.DataDir() + "notaday.txt"},
                          woudc, gone, MakeDateTime(2026, 12, 9, 12, 0, 0));
    EXPECT_TRUE(run.failed);
    ASSERT_EQ(run.records.size(), 1);
    EXPECT_NEAR(run.records[0].reprocessed, 477.8, 0.05);
    ASSERT_EQ(run.problems.size(), 2);
    EXPECT_TRUE(run.problems[0].startsWith(gone + "20060324.Dobson."))
        << run.problems[0].toStdString();
    EXPECT_EQ(run.problems[1],
              station.DataDir() + "notaday.txt: not a day file name (D + YY + DDD)");
    // Without a WOUDC station only the records: nothing written, no failure.
    const ReprocessRun csvOnly = ReprocessDayFiles(vars.setup, vars.calibration, QualityLimits{},
                                                   {station.DataDir() + "D06083.999"}, std::nullopt,
                                                   gone, MakeDateTime(2026, 12, 9, 12, 0, 0));
    EXPECT_FALSE(csvOnly.failed);
    EXPECT_TRUE(csvOnly.problems.isEmpty());
}
