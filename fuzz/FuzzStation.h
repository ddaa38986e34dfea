// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

namespace quillon::fuzz {

// What the harnesses' workflows tell the operator: nothing.
class SilentMessages : public OperatorMessages {
public:
    void Show(const QString&, const QString&) override {}
    bool AskYesNo(const QString&, const QString&) override { return false; }
};

// A clock that stands at noon UTC on 24 March 2006 (day 38800).
class FixedClock : public Clock {
public:
    DateTimeValue Now() const override { return 38800.5; }
    void Idle(double) override {}
    void WaitProcessingEvents(double) override {}
    void WaitPainting(double) override {}
};

// A copy of the demo station in a scratch home, made once per fuzzing run;
// a harness writes the input over one of its files.
class FuzzStation {
public:
    // In memory where the machine has it: the day file's appends and the
    // summary's replacement sync to the disk, which on a real disk costs
    // far more than the code under test.
    FuzzStation()
        : dir_(QDir(QStringLiteral("/dev/shm")).exists()
                   ? QStringLiteral("/dev/shm/quillon-fuzz-XXXXXX")
                   : QDir::tempPath() + QStringLiteral("/quillon-fuzz-XXXXXX")) {
        home_ = dir_.path() + u'/';
        const QString source = QStringLiteral(QUILLON_EXAMPLE_STATION "/");
        for (const char* sub : {"config", "data", "history"}) {
            QDir().mkpath(home_ + QLatin1String(sub));
        }
        QFile::copy(source + QStringLiteral("disc.cfg"), home_ + QStringLiteral("disc.cfg"));
        const QDir config(source + QStringLiteral("config"));
        for (const QString& name : config.entryList(QDir::Files)) {
            QFile::copy(config.filePath(name), home_ + QStringLiteral("config/") + name);
            originals_[name] = ReadAll(config.filePath(name));
        }
    }
    const QString& Home() const { return home_; }
    void Write(const QString& relativePath, const QByteArray& bytes) const {
        QFile file(home_ + relativePath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(bytes);
        }
    }
    // Puts a configuration file back as the demo has it.
    void Restore(const QString& name) const {
        Write(QStringLiteral("config/") + name, originals_[name]);
    }

private:
    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir_;
    QString home_;
    QMap<QString, QByteArray> originals_;
};

} // namespace quillon::fuzz
