// SPDX-License-Identifier: GPL-3.0-or-later
// The example station as it is shipped, days and histories included: every
// command that reads it finds real data and no fault.
#include "support/CliRun.h"
#include "support/TestStation.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillon::test;

namespace {

class ExampleStation : public ::testing::Test {
protected:
    CliResult Cli(const QStringList& args) { return RunCli(station_, args); }
    QString Path(const QString& relative) const { return station_.Home() + relative; }
    TestStation station_{TestStation::Contents::Everything};
};

} // namespace

TEST_F(ExampleStation, EveryCommandShowsItsRealDataWithoutAFault) {
    CliResult r = Cli({"params"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    r = Cli({"days"});
    EXPECT_EQ(r.code, 0);
    const QStringList days = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(days.size(), 3) << r.out.toStdString();
    EXPECT_TRUE(days[0].startsWith("12/01/2026 D26335.999 "));
    EXPECT_TRUE(days[2].startsWith("12/03/2026 D26337.999 "));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    for (const char* day : {"12/01/2026", "12/02/2026", "12/03/2026"}) {
        r = Cli({"summary", day, "--full"});
        EXPECT_EQ(r.code, 0) << day;
        EXPECT_TRUE(r.err.isEmpty()) << day << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith("2 ADDS OBS Average Ozone=")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains("\nOne CD Zenith Obs with O3="));
    }

    r = Cli({"qreview"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("There was one test in the file")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Date: 12/01/2026 Difference: ")) << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    QTemporaryDir out;
    // A WOUDC file of another day that a kill left half-written goes.
    QFile killed(out.filePath(".20261130.Dobson.Beck.065.NOAA-CMDL.csv.part"));
    ASSERT_TRUE(killed.open(QIODevice::WriteOnly));
    killed.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(0, 0)),
                       QFileDevice::FileModificationTime);
    killed.close();
    r = Cli({"woudc", "12/02/2026", "--out", out.path()});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(killed.exists());
    QFile woudc(r.out.trimmed());
    ASSERT_TRUE(woudc.open(QIODevice::ReadOnly)) << r.out.toStdString();
    // Seven of the eight observations have an ozone; C/C' has none.
    int observations = 0;
    for (const QByteArray& line : woudc.readAll().split('\n')) {
        observations +=
            QRegularExpression("^\\d\\d:\\d\\d:\\d\\d,").match(QString(line)).hasMatch();
    }
    EXPECT_EQ(observations, 7);

    r = Cli({"reprocess", Path("data/D26335.999"), Path("data/D26336.999"), Path("data/D26337.999"),
             "--calibration", Path("config")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.count('\n'), 1 + 21); // the header and seven records a day
    // 12/03 was recorded after the lamp test of 12/02, whose corrections
    // the example's lampcorr.061 (of 11/30) does not hold: said, once.
    EXPECT_TRUE(r.err.startsWith("D26337.999 was recorded with lamp corrections of 12/02/2026; "
                                 "applying 11/30/2026\n21 records, mean difference "))
        << r.err.toStdString();

    r = Cli({"plan", "2026-12-01"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("ADDSGQP"));
}
