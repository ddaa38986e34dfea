// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/StationState.h"
#include "support/QtPrinters.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace quillon::test {

// A scratch copy of the demo station in a temporary home directory, which a
// test may change file by file: its configuration, or the whole example
// with its days and histories.
class TestStation {
public:
    enum class Contents { Configuration, Everything };
    explicit TestStation(Contents contents = Contents::Configuration);
    const QString& Home() const { return home_; }
    QString ConfigDir() const { return home_ + QStringLiteral("config/"); }
    QString DataDir() const { return home_ + QStringLiteral("data/"); }
    void Write(const QString& relativePath, const QByteArray& bytes) const;
    QByteArray Read(const QString& relativePath) const;
    void Remove(const QString& relativePath) const;
    // A file last changed long ago (1 January 2026), as a kill leaves one.
    void WriteStale(const QString& relativePath, const QByteArray& bytes) const;

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString home_;
};

// Shared state with the demo station loaded (no messages expected).
StationState LoadedVars(const TestStation& station);

} // namespace quillon::test
