// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CliRun.h"

#include <QProcess>

namespace quillon::test {

CliResult RunCli(const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), args);
    cli.waitForFinished(30000);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}

CliResult RunCli(const TestStation& station, const QStringList& args) {
    return RunCli(QStringList{QStringLiteral("--home"), station.Home()} + args);
}

} // namespace quillon::test
