// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TestStation.h"

#include <QStringList>

namespace quillon::test {

// quillon-cli run as a script runs it: its exit status and both streams.
struct CliResult {
    int code;
    QString out;
    QString err;
};
CliResult RunCli(const QStringList& args);
// The same with "--home" and the station's home in front.
CliResult RunCli(const TestStation& station, const QStringList& args);

} // namespace quillon::test
