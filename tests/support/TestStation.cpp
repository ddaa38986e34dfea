// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestStation.h"

#include "config/GetInfo.h"
#include "support/Recorders.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace quillon::test {

TestStation::TestStation(Contents contents) : dir_(std::make_unique<QTemporaryDir>()) {
    home_ = dir_->path() + u'/';
    const QString source = QStringLiteral(QUILLON_EXAMPLE_STATION);
    QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(source).relativeFilePath(path);
        // Usually the configuration only: each test makes the days and
        // histories it reads, and the example's own are for training.
        if (contents == Contents::Configuration &&
            (relative.startsWith(QLatin1String("data/")) ||
             relative.startsWith(QLatin1String("history/")))) {
            continue;
        }
        QDir().mkpath(QFileInfo(home_ + relative).path());
        QFile::copy(path, home_ + relative);
    }
    QDir().mkpath(home_ + QStringLiteral("data"));
    QDir().mkpath(home_ + QStringLiteral("history"));
    // As a station keeps it: the archive password for its own user only.
    QFile::setPermissions(home_ + QStringLiteral("config/CallHome.cfg"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestStation::Write(const QString& relativePath, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(home_ + relativePath).path());
    QFile file(home_ + relativePath);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

void TestStation::WriteStale(const QString& relativePath, const QByteArray& bytes) const {
    Write(relativePath, bytes);
    QFile file(home_ + relativePath);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC),
                     QFileDevice::FileModificationTime);
}

QByteArray TestStation::Read(const QString& relativePath) const {
    QFile file(home_ + relativePath);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void TestStation::Remove(const QString& relativePath) const {
    QFile::remove(home_ + relativePath);
}

StationState LoadedVars(const TestStation& station) {
    StationState vars;
    vars.setup.HomeDir = station.Home();
    RecordingMessages messages;
    const Result<void> read = ReadConfiguration(vars.setup, vars.calibration, messages);
    EXPECT_TRUE(read.ok()) << (read ? std::string() : read.error().message.toStdString());
    return vars;
}

} // namespace quillon::test
