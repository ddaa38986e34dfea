// SPDX-License-Identifier: GPL-3.0-or-later
// The counter link through the fake counter and the fake clock: replies,
// the wrap below zero, windows, time-outs and bad replies.
#include "instrument/Cub5Encoder.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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
class EncoderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fakes.OpenEncoder()); }
    StationState vars;
    TestServices fakes{vars, MakeDateTime(2026, 12, 8, 12, 0, 0)};
};
} // namespace

TEST(ParseCounterReply, ValueFromCharacterSevenAndTheWrap) {
    double r = 0;
    ASSERT_TRUE(ParseCounterReply(CounterReply(152.3), &r));
    EXPECT_DOUBLE_EQ(r, 152.3);
    ASSERT_TRUE(ParseCounterReply(CounterReply(309.9), &r));
    EXPECT_DOUBLE_EQ(r, 309.9);
    ASSERT_TRUE(ParseCounterReply(CounterReply(310.0), &r));
    EXPECT_DOUBLE_EQ(r, -50.0);
    ASSERT_TRUE(ParseCounterReply(CounterReply(359.8), &r));
    EXPECT_NEAR(r, -0.2, 1e-9);
    ASSERT_TRUE(ParseCounterReply(" 2 CTA      12.5xyz\r\n", &r));
    EXPECT_DOUBLE_EQ(r, 12.5);
    EXPECT_FALSE(ParseCounterReply(" 2 CTA  12.5\r\n", &r)); // under 20 characters
    EXPECT_FALSE(ParseCounterReply(" 2 CTA  ERR?OVERFLW\r\n", &r));
}

TEST(ParseCounterReply, BlanksBetweenSignAndDigits) {
    double r = 0;
    ASSERT_TRUE(ParseCounterReply(" 2 CTA  -    12.5  \r\n", &r));
    EXPECT_DOUBLE_EQ(r, -12.5);
    ASSERT_TRUE(ParseCounterReply(" 2 CTA  +  152.3   \r\n", &r));
    EXPECT_DOUBLE_EQ(r, 152.3);
    EXPECT_FALSE(ParseCounterReply(" 2 CTA  -     .    \r\n", &r)); // no digits
    EXPECT_FALSE(ParseCounterReply(" 2 CTA  -           \r\n", &r));
}

namespace {
QString Device(const QString& port, QString* error = nullptr) {
    const Result<QString> device = EncoderDeviceName(port);
    if (!device) {
        if (error) {
            *error = device.error().message;
        }
        return QStringLiteral("refused");
    }
    return *device;
}
} // namespace

TEST(EncoderDeviceName, ComPortsAndDevicePaths) {
#ifndef Q_OS_WIN
    EXPECT_EQ(Device("COM1"), "/dev/ttyS0");
    EXPECT_EQ(Device("com2"), "/dev/ttyS1");
    EXPECT_EQ(Device("COM2:"), "/dev/ttyS1"); // the number after the M
    EXPECT_EQ(Device("COM12"), "/dev/ttyS11");
#endif
    EXPECT_EQ(Device("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(Device(" /tmp/pty-link "), "/tmp/pty-link");
    QString error;
    EXPECT_EQ(Device("COM0", &error), "refused");
    EXPECT_EQ(error, "The encoder port COM0 names no serial port: COM ports are numbered from 1.");
    EXPECT_EQ(Device("COM"), "refused");
}

TEST(EncoderPort, ComZeroIsRefusedWhenOpening) {
    StationState vars;
    vars.setup.EncoderPort = "COM0";
    TestServices fakes(vars);
    const Result<void> opened = fakes.encoder.OpenEncoderPort();
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().message,
              "The encoder port COM0 names no serial port: COM ports are numbered from 1.");
    EXPECT_FALSE(fakes.link.IsOpen());
}

TEST_F(EncoderTest, PortClosedDuringAReadClosesAfterIt) {
    // An exit chosen while the tick waits for the counter must not take the
    // port from under the read: the read finishes, then the port closes.
    fakes.link.SetValue(42.0);
    int polls = 0;
    fakes.link.OnPoll([&] {
        if (++polls == 1) {
            fakes.encoder.ClosePort();
        }
    });
    EXPECT_DOUBLE_EQ(Value(fakes.encoder.ReadEncoder(0.2)), 42.0);
    EXPECT_FALSE(fakes.link.IsOpen());
    EXPECT_GT(fakes.link.polls, 0);
}

TEST_F(EncoderTest, StopControlEndsAReadAtOnce) {
    fakes.link.SetValue(42.0);
    int asked = 0;
    const Result<double> r = fakes.encoder.ReadEncoder(1.0, [&] { return ++asked >= 3; });
    EXPECT_TRUE(r.ok()); // stopped by the operator: no failure
    EXPECT_TRUE(fakes.encoder.Interrupted());
    EXPECT_LE(fakes.link.requests, 2);
}

TEST_F(EncoderTest, StalledCounterRecoversAndAClosedLinkDeliversNothing) {
    fakes.link.SetValue(7.0);
    fakes.link.Stall(1);
    EXPECT_TRUE(Failure(fakes.encoder.ReadEncoder(0.2)).contains("did not answer"));
    EXPECT_DOUBLE_EQ(Value(fakes.encoder.ReadEncoder(0.2)), 7.0);
    fakes.link.Write("N2TA*");
    fakes.link.Close();
    fakes.clock.Advance(1.0);
    EXPECT_EQ(fakes.link.BytesWaiting(), 0);
}

TEST_F(EncoderTest, WindowsAverageAtLeastTwoSamples) {
    fakes.link.SetValues({100.0, 102.0});
    EXPECT_DOUBLE_EQ(Value(fakes.encoder.ReadEncoder(0.0)), 101.0);
    EXPECT_EQ(fakes.encoder.SamplesInLastRead(), 2);
    fakes.link.SetValue(152.3);
    EXPECT_NEAR(Value(fakes.encoder.ReadEncoder(1.0)), 152.3, 1e-9);
    // 0.05 s pause plus 26 ms reply per sample: about 13 in a second.
    EXPECT_GE(fakes.encoder.SamplesInLastRead(), 13);
    EXPECT_LE(fakes.encoder.SamplesInLastRead(), 15);
    EXPECT_EQ(fakes.link.written.front(), "N2TA*");
}

TEST_F(EncoderTest, WindowAcrossMidnightEndsOnTime) {
    fakes.clock.Set(MakeDateTime(2026, 12, 8, 23, 59, 59) + 0.6 / 86400.0);
    fakes.link.SetValue(359.9);
    EXPECT_NEAR(Value(fakes.encoder.ReadEncoder(1.0)), -0.1, 1e-9);
    EXPECT_LE(fakes.encoder.SamplesInLastRead(), 15);
    EXPECT_EQ(SplitDateTime(fakes.clock.Now()).day, 9);
}

TEST_F(EncoderTest, SilentCounterGivesAnErrorWithinTheTimeOut) {
    fakes.link.SetMode(FakeCounterLink::Mode::Silent);
    const DateTimeValue start = fakes.clock.Now();
    const Result<double> read = fakes.encoder.ReadEncoder(0.2);
    EXPECT_LT((fakes.clock.Now() - start) * 86400.0, 2.2);
    fakes.messages.Expect("ReadEncdr Error");
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ErrorKind::Device);
    EXPECT_EQ(read.error().message,
              "The encoder counter on /dev/ttyUSB0 did not answer within 2 seconds (nothing "
              "arrived). Check the cable and the counter's power.");
    fakes.encoder.ReportFailure(read.error());
    EXPECT_EQ(fakes.messages.titles.last(), "ReadEncdr Error");
    EXPECT_EQ(fakes.programEnds, 1);
}

TEST_F(EncoderTest, PartialAndGarbageRepliesAreErrorsNotZero) {
    fakes.link.SetMode(FakeCounterLink::Mode::HalfReply);
    const QString half = Failure(fakes.encoder.ReadEncoder(0.2));
    EXPECT_TRUE(half.contains("only \" 2 CTA   \" arrived")) << half.toStdString();
    fakes.link.SetMode(FakeCounterLink::Mode::Garbage);
    EXPECT_EQ(Failure(fakes.encoder.ReadEncoder(0.2)),
              "The encoder counter on /dev/ttyUSB0 answered \" 2 CTA  "
              "ERR?OVERFLW<0d><0a>\", which holds no R-dial value.");
    fakes.link.SetMode(FakeCounterLink::Mode::Normal);
    fakes.link.SetValue(10);
    EXPECT_DOUBLE_EQ(Value(fakes.encoder.ReadEncoder(0.2)), 10.0);
}

TEST_F(EncoderTest, ResetAndPortOpening) {
    fakes.encoder.ResetEncoder();
    EXPECT_EQ(fakes.link.written.last(), "N2VA0*");

    fakes.link.Close();
    EXPECT_EQ(Failure(fakes.encoder.ReadEncoder(0.2)),
              "The encoder port /dev/ttyUSB0 is not open.");

    fakes.link.FailOpen("No such file or directory");
    const Result<void> opened = fakes.encoder.OpenEncoderPort();
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().kind, ErrorKind::Device);
    EXPECT_EQ(opened.error().message,
              "The encoder port /dev/ttyUSB0 (/dev/ttyUSB0) could not be opened: No such "
              "file or directory");

    vars.setup.EncoderPort.clear();
    EXPECT_TRUE(fakes.encoder.OpenEncoderPort().ok());
    EXPECT_FALSE(fakes.link.IsOpen());
}

TEST(EncoderPort, RelativeNameIsTakenFromTheStationHome) {
    QTemporaryDir home;
    QFile link(home.filePath("cub5"));
    ASSERT_TRUE(link.open(QIODevice::WriteOnly));
    link.close();
    StationState vars;
    vars.setup.HomeDir = home.path() + "/";
    vars.setup.EncoderPort = "cub5";
    vars.setup.EncoderInUse = true;
    TestServices fakes(vars);
    EXPECT_TRUE(fakes.encoder.OpenEncoderPort().ok());
    EXPECT_EQ(fakes.link.Device(), home.filePath("cub5"));
    EXPECT_NE(QDir::currentPath(), home.path()); // the current directory is not used
}
