// SPDX-License-Identifier: GPL-3.0-or-later
// The real serial link against cub5-sim on a pseudo-terminal: reads, the
// wrap, reset, a silent counter, garbage, and quillon-cli rdial.
#include "support/Cub5Sim.h"
#include "instrument/Cub5Encoder.h"
#include "instrument/SerialCounterLink.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "util/SystemClock.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
// The value of a read, or what its failure says.
double Value(const quillon::Result<double>& read) {
    return read ? *read : -1.0e9;
}
QString Failure(const quillon::Result<double>& read) {
    return read ? QString() : read.error().message;
}
} // namespace

namespace {
class Cub5SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Started());
        vars.setup.EncoderPort = sim.Device();
        vars.setup.EncoderInUse = true;
        ASSERT_TRUE(encoder.OpenEncoderPort().ok());
    }
    Cub5Sim sim;
    StationState vars;
    SystemClock clock;
    SerialCounterLink link;
    RecordingMessages messages;
    Cub5Encoder encoder{vars.setup, link, clock, messages};
};
} // namespace

TEST_F(Cub5SimTest, ReadsTheDialAndBelowZero) {
    sim.Send("152.3");
    EXPECT_NEAR(Value(encoder.ReadEncoder(0.2)), 152.3, 1e-9);
    EXPECT_GE(encoder.SamplesInLastRead(), 2);
    sim.Send("-0.2");
    EXPECT_NEAR(Value(encoder.ReadEncoder(0.0)), -0.2, 1e-9);
}

TEST_F(Cub5SimTest, ResetMakesTheDialZero) {
    sim.Send("100");
    EXPECT_NEAR(Value(encoder.ReadEncoder(0.0)), 100.0, 1e-9);
    encoder.ResetEncoder();
    EXPECT_NEAR(Value(encoder.ReadEncoder(0.2)), 0.0, 1e-9);
}

TEST_F(Cub5SimTest, SilentCounterAndGarbage) {
    sim.Send("silent");
    const QString silent = Failure(encoder.ReadEncoder(0.2));
    EXPECT_TRUE(silent.contains("did not answer within 2 seconds"));
    EXPECT_TRUE(silent.contains(sim.Device()));
    sim.Send("garbage");
    const QString garbage = Failure(encoder.ReadEncoder(0.2));
    EXPECT_TRUE(garbage.contains("holds no R-dial value")) << garbage.toStdString();
    sim.Send("normal");
    sim.Send("7.5");
    EXPECT_NEAR(Value(encoder.ReadEncoder(0.0)), 7.5, 1e-9);
}

TEST(Cub5SimCli, RdialPrintsTheDialOrTheError) {
    Cub5Sim sim;
    ASSERT_TRUE(sim.Started());
    TestStation station;
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n" + sim.Device().toUtf8() + "\r\n");
    sim.Send("123.4");
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "rdial", "--window", "0.3"});
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(cli.readAllStandardOutput(), "rdial: 123.4\n");

    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "rdial", "--series", "2"});
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 0);
    const QByteArray series = cli.readAllStandardOutput();
    EXPECT_TRUE(series.startsWith("mean: 123.4\nsd: ")) << series.toStdString();
}

TEST(Cub5SimCli, RdialOfASilentCounterExitsThree) {
    Cub5Sim sim;
    ASSERT_TRUE(sim.Started());
    TestStation station;
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n" + sim.Device().toUtf8() + "\r\n");
    QProcess cli;
    sim.Send("silent");
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "rdial"});
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 3);
    EXPECT_TRUE(cli.readAllStandardError().contains("did not answer within 2 seconds"));
}
