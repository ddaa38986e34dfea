// quillon-cli against a scratch station: parameters and day summaries.
#include "records/DayFile.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestStation.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
struct CliResult {
    int code;
    QString out;
    QString err;
};

CliResult RunCli(const TestStation& station, const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), QStringList{"--home", station.Home()} + args);
    cli.waitForFinished(30000);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}
} // namespace

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
    EXPECT_EQ(bad.code, 2);
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
    const CliResult file = RunCli(station, {"summary", "03/24/2006"});
    EXPECT_EQ(file.code, 0);
    EXPECT_FALSE(station.Read("data/S06083.999").isEmpty());

    station.Write("data/D06084.999", "\"Someone else\"\r\nDobson, 61 \r\n03/25/2006\r\n");
    const CliResult refused = RunCli(station, {"summary", "03/25/2006"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("is not a data file"));
}
