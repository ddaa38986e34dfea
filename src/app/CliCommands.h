// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillon {

// Runs one quillon-cli command ("[--home DIR] COMMAND ..."); returns the
// process exit code. Output goes to stdout, errors to stderr.
int RunCliCommand(QStringList args);

} // namespace quillon
