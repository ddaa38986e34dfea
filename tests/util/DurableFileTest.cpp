// SPDX-License-Identifier: GPL-3.0-or-later
// Appends that survive a killed process, torn tails, atomic replacement,
// and the blocking Pause across midnight.
#include "util/DurableFile.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <sys/stat.h>

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
    ASSERT_TRUE(AppendRecord(path, "first\r\n").ok());
    {
        QFile f(path);
        f.open(QIODevice::Append);
        f.write("half a rec"); // a power cut in the middle of a line
    }
    ASSERT_TRUE(AppendRecord(path, "second\r\n").ok());
    EXPECT_EQ(ReadAll(path), QByteArray("first\r\nsecond\r\n"));
}

TEST(AppendRecord, RefusedWhenTheDirectoryIsMissing) {
    const Result<void> written = AppendRecord("/nonexistent-quillon-dir/D06083.083", "x\r\n");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().kind, ErrorKind::Unwritable);
    EXPECT_EQ(written.error().message, "No such file or directory");
}

TEST(ReplaceFile, ReplacesWholeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("inst.cfg");
    ASSERT_TRUE(ReplaceFile(path, "old\r\n").ok());
    ASSERT_TRUE(ReplaceFile(path, "new\r\n").ok());
    EXPECT_EQ(ReadAll(path), QByteArray("new\r\n"));
    EXPECT_FALSE(ReplaceFile("/nonexistent-quillon-dir/inst.cfg", "x").ok());
    // Nothing left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"inst.cfg"});
}

TEST(ReplaceFile, WhatAKilledReplaceLeftIsWrittenOverOrRemoved) {
    QTemporaryDir dir;
    const QString path = dir.filePath("inst.cfg");
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("inst.cfg", "old\r\n");
    // A kill before the rename: the part file holds half the new text.
    write(".inst.cfg.part", "ne");
    EXPECT_EQ(PartFilePath(path), dir.filePath(".inst.cfg.part"));
    ASSERT_TRUE(ReplaceFile(path, "new\r\n").ok());
    EXPECT_EQ(ReadAll(path), QByteArray("new\r\n"));
    EXPECT_FALSE(QFile::exists(dir.filePath(".inst.cfg.part")));

    // Qt's temporary names of an earlier writer, and a part file: removed;
    // the station's own files with look-alike names stay.
    write(".inst.cfg.part", "x");
    write("inst.cfg.a8Zk2Q", "x");
    write("instcfg.bak.Q7pLm0", "x");
    write("inst.cfg.backup", "mine");
    write("inst.cfg.OLD123", "mine");
    EXPECT_EQ(RemoveLeftoverTempFiles(dir.path(), {"inst.cfg", "instcfg.bak"}), 3);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, QStringList({"inst.cfg", "inst.cfg.OLD123", "inst.cfg.backup"}));

    // A FIFO in place of the file is refused, not opened.
    const QString fifo = dir.filePath("D06083.083");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const Result<void> appended = AppendRecord(fifo, "x\r\n");
    ASSERT_FALSE(appended.ok());
    EXPECT_EQ(appended.error().message, "not a regular file");
    const Result<void> replaced = ReplaceFile(fifo, "x");
    ASSERT_FALSE(replaced.ok());
    EXPECT_EQ(replaced.error().message, "not a regular file");
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
