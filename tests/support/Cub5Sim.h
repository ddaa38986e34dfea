// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>

namespace quillon::test {

// The counter simulator on a real pseudo-terminal, started by a test.
class Cub5Sim {
public:
    Cub5Sim();
    ~Cub5Sim();
    bool Started() const { return !device_.isEmpty(); }
    const QString& Device() const { return device_; }
    // A line on the simulator's standard input ("152.3", "silent", ...);
    // waits for its acknowledgement.
    void Send(const QString& line);

private:
    QProcess process_;
    QString device_;
};

} // namespace quillon::test
