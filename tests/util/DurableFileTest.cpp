// Appends that survive a killed process, torn tails, atomic replacement,
// and the blocking Pause across midnight.
#include "util/DurableFile.h"
#include "support/FakeClock.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace quillon;

namespace {
QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

TEST(AppendRecord, AppendsWholeRecordsAndCutsATornTail) {
    QTemporaryDir dir;
    const QString path = dir.filePath("D06083.083");
    QString error;
    ASSERT_TRUE(AppendRecord(path, "first\r\n", &error)) << error.toStdString();
    {
        QFile f(path);
        f.open(QIODevice::Append);
        f.write("half a rec"); // a power cut in the middle of a line
    }
    ASSERT_TRUE(AppendRecord(path, "second\r\n", &error));
    EXPECT_EQ(ReadAll(path), QByteArray("first\r\nsecond\r\n"));
}

TEST(AppendRecord, RefusedWhenTheDirectoryIsMissing) {
    QString error;
    EXPECT_FALSE(AppendRecord("/nonexistent-quillon-dir/D06083.083", "x\r\n", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ReplaceFile, ReplacesWholeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("inst.cfg");
    QString error;
    ASSERT_TRUE(ReplaceFile(path, "old\r\n", &error));
    ASSERT_TRUE(ReplaceFile(path, "new\r\n", &error));
    EXPECT_EQ(ReadAll(path), QByteArray("new\r\n"));
    EXPECT_FALSE(ReplaceFile("/nonexistent-quillon-dir/inst.cfg", "x", &error));
}

TEST(Pause, WaitsAcrossMidnightNotADayLonger) {
    test::FakeClock clock(MakeDateTime(2006, 3, 24, 23, 59, 59) + 0.99 / 86400.0);
    Pause(clock, 0.05);
    const double seconds = clock.SecondsSinceMidnight();
    EXPECT_GE(seconds, 0.03);
    EXPECT_LT(seconds, 0.1);
    EXPECT_EQ(SplitDateTime(clock.Now()).day, 25);

    test::FakeClock noon(MakeDateTime(2006, 3, 24, 12, 0, 0));
    Pause(noon, 3.0);
    EXPECT_NEAR(noon.SecondsSinceMidnight(), 12 * 3600 + 3.0, 0.01);
}

TEST(Pause, EndingExactlyAtMidnightReturns) {
    // 23:59:59.950 + 0.05 s is 86400 exactly: the wait ends just after the
    // wrap, it does not wait for a second that never comes.
    for (const double start : {59.950, 59.953, 59.956}) {
        test::FakeClock clock(MakeDateTime(2006, 3, 24, 23, 59, 0) + start / 86400.0);
        clock.SetIdleStep(0.0005);
        Pause(clock, 0.05);
        const double seconds = clock.SecondsSinceMidnight();
        EXPECT_LT(seconds, 0.01) << start;
        EXPECT_EQ(SplitDateTime(clock.Now()).day, 25) << start;
    }
    // A wait that ends a hair before midnight ends there.
    const DateTimeValue lateStart = MakeDateTime(2006, 3, 24, 23, 59, 59) + 0.9999 / 86400.0;
    test::FakeClock late(lateStart);
    Pause(late, 0.00005);
    EXPECT_LT((late.Now() - lateStart) * 86400.0, 0.001);
}
