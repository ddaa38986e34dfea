// SPDX-License-Identifier: GPL-3.0-or-later
// quillon-cli: the headless companion of the operator program, for scripts,
// planning and batch work on archived days.
#include "app/CliCommands.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    return quillon::RunCliCommand(args);
}
