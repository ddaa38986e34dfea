// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillon {

// Qt's own options, which every Qt program takes (-platform offscreen,
// -style fusion, -geometry 800x600, ...): QApplication reads them from the
// command line itself, so the program's own parser must pass over them.
// The arguments without them, or the first one that lacks its value.
struct ProgramArguments {
    QStringList own;
    QString missingValue; // a Qt option given without its value
};
ProgramArguments WithoutQtOptions(const QStringList& arguments);

// Their lines in --help.
QString QtOptionsHelp();

} // namespace quillon
