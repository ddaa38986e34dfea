// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

// The station's home directory: "C:\quillon" on Windows, "~/quillon"
// elsewhere, or the directory given with "--home DIR" (the one command-line
// option). Removes the option from `args`. The result ends in "/".
QString TakeHomeDir(QStringList& args);

} // namespace quillon
