// SPDX-License-Identifier: GPL-3.0-or-later
// Records stay whole: the repair of a torn append cuts back to the last
// whole record (the record's own line count says where it ends), junk of
// any length goes, a failed write rolls back with the system's reason, and
// a writer killed at random moments leaves only whole records, among them
// every record it reported as written.
#include "records/DayFileReader.h"
#include "util/DurableFile.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace quillon;

namespace {

const QByteArray kHeader = "\"Boulder\"\r\nDobson,83 \r\n03/24/2006\r\n12:00:00\r\n====\r\n";
const QByteArray kObs = "OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2\r\n"
                        " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 120000 03 06\r\n";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

TEST(DayFileWholeLength, RecordsByTheirOwnLineCounts) {
    const QByteArray comment2 = "\"COMMENT\",\"03/24/2006\",\"12:00:00\",2\r\n\"a\"\r\n\"b\"\r\n";
    EXPECT_EQ(DayFileWholeLength(kHeader), kHeader.size());
    EXPECT_EQ(DayFileWholeLength(kHeader + comment2 + kObs),
              kHeader.size() + comment2.size() + kObs.size());
    // A comment declared as four lines with two present is torn.
    const QByteArray torn = "\"COMMENT\",\"03/24/2006\",\"12:00:00\",4\r\n\"one\"\r\n\"two\"\r\n";
    EXPECT_EQ(DayFileWholeLength(kHeader + kObs + torn), kHeader.size() + kObs.size());
    // A whole observation after a torn comment (an older writer) still counts.
    EXPECT_EQ(DayFileWholeLength(kHeader + torn + kObs),
              kHeader.size() + torn.size() + kObs.size());
    // An OBS record cut inside its second line, and a tail without a line end.
    EXPECT_EQ(DayFileWholeLength(kHeader + kObs + kObs.left(90)), kHeader.size() + kObs.size());
    EXPECT_EQ(DayFileWholeLength(kHeader + "\"COMM"), kHeader.size());
}

TEST(AppendRecord, TornTailsAreCutAndWholeLinesKeptBeforeTheNextRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath("D06083.083");
    const QByteArray torn = "\"COMMENT\",\"03/24/2006\",\"12:00:00\",4\r\n\"one\"\r\n\"two\"\r\n";
    WriteAll(path, kHeader + kObs + torn);
    ASSERT_TRUE(AppendRecord(path, kObs, DayFileWholeLength).ok());
    EXPECT_EQ(ReadAll(path), kHeader + kObs + kObs);

    // A junk tail longer than any window, without a line end, goes whole.
    WriteAll(path, kHeader + kObs + QByteArray(200 * 1024, 'j'));
    ASSERT_TRUE(AppendRecord(path, kObs, DayFileWholeLength).ok());
    EXPECT_EQ(ReadAll(path), kHeader + kObs + kObs);
    // Whole lines that are no record are never removed: readers skip them
    // one by one, and a repair keeps them.
    WriteAll(path, kHeader + kObs + "junk\r\nmore junk\r\n");
    ASSERT_TRUE(AppendRecord(path, kObs, DayFileWholeLength).ok());
    EXPECT_EQ(ReadAll(path), kHeader + kObs + "junk\r\nmore junk\r\n" + kObs);

    // A comment of 120 text lines in one record, as another program may
    // write it: whole, and kept whole by the next append.
    QByteArray long_ = "\"COMMENT\",\"03/24/2006\",\"12:00:00\",120\r\n";
    for (int line = 1; line <= 120; ++line) {
        long_ += "\"line " + QByteArray::number(line) + "\"\r\n";
    }
    WriteAll(path, kHeader + kObs + long_);
    EXPECT_EQ(DayFileWholeLength(kHeader + kObs + long_),
              kHeader.size() + kObs.size() + long_.size());
    ASSERT_TRUE(AppendRecord(path, kObs, DayFileWholeLength).ok());
    EXPECT_EQ(ReadAll(path), kHeader + kObs + long_ + kObs);
    // The same record cut after 119 of its lines: torn, and cut back whole.
    const QByteArray cut = long_.left(long_.lastIndexOf("\"line 120\""));
    WriteAll(path, kHeader + kObs + cut);
    ASSERT_TRUE(AppendRecord(path, kObs, DayFileWholeLength).ok());
    EXPECT_EQ(ReadAll(path), kHeader + kObs + kObs);
}

TEST(AppendRecord, AFullDiskRollsBackWithTheSystemsReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath("D06083.083");
    WriteAll(path, kHeader + kObs);
    const qint64 before = kHeader.size() + kObs.size();
    // A file size limit a few bytes above the file: the write is cut short.
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = static_cast<rlim_t>(before + 20);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const Result<void> appended = AppendRecord(path, kObs, DayFileWholeLength);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_FALSE(appended.ok());
    EXPECT_EQ(appended.error().message, "File too large");
    EXPECT_EQ(ReadAll(path), kHeader + kObs);
}

TEST(AppendRecord, KilledWriterLeavesOnlyWholeRecords) {
    QTemporaryDir dir;
    const QString path = dir.filePath("D06083.083");
    WriteAll(path, kHeader);
    QSet<long> reported;
    auto* random = QRandomGenerator::global();
    const int kills = 150;
    for (int round = 0; round < kills; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(QUILLON_APPEND_WRITER),
                     {path, QString::number(round * 100000L)});
        ASSERT_TRUE(writer.waitForStarted());
        // Killed after a random number of records, mid-append as often as not.
        const int wanted = static_cast<int>(random->bounded(4));
        QByteArray out;
        while (out.count('\n') < wanted && writer.waitForReadyRead(5000)) {
            out += writer.readAllStandardOutput();
        }
        writer.kill();
        writer.waitForFinished();
        out += writer.readAllStandardOutput();
        for (const QByteArray& number : out.split('\n')) {
            if (!number.isEmpty()) {
                reported.insert(number.toLong());
            }
        }
    }
    // One last append repairs whatever the last kill left.
    ASSERT_TRUE(AppendRecord(path, kObs, DayFileWholeLength).ok());
    const QByteArray contents = ReadAll(path);
    EXPECT_EQ(DayFileWholeLength(contents), contents.size());
    // Every record is whole: each text line names its record and its place.
    QSet<long> found;
    const QList<QByteArray> lines = contents.split('\n');
    qsizetype i = 5;
    while (i + 1 < lines.size() && !lines[i].startsWith("OBS")) {
        const int count = RecordLineCount(QString::fromLatin1(lines[i]).trimmed());
        ASSERT_GT(count, 1) << lines[i].toStdString();
        const long number = lines[i + 1].mid(8).split(' ').value(0).toLong();
        for (int k = 1; k < count; ++k) {
            ASSERT_TRUE(lines[i + k].startsWith("\"record " + QByteArray::number(number) +
                                                " line " + QByteArray::number(k - 1) + " "))
                << lines[i + k].toStdString();
        }
        found.insert(number);
        i += count;
    }
    EXPECT_EQ(lines[i].trimmed(), kObs.left(kObs.indexOf('\r')));
    // Nothing acknowledged was lost.
    for (const long number : reported) {
        EXPECT_TRUE(found.contains(number)) << number;
    }
    EXPECT_GE(found.size(), reported.size());
}
