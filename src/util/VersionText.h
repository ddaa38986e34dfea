// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace quillon {

// What `--version` prints, as GNU programs do: the program and its version,
// the copyright and licence, and the Qt it was built with and runs on.
inline QString VersionText(const char* program) {
    return QStringLiteral("%1 %2\n"
                          "Copyright (C) 2026 The Quillon developers\n"
                          "License GPLv3+: GNU GPL version 3 or later "
                          "<https://gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n"
                          "Built with Qt %3, running on Qt %4.\n")
        .arg(QString::fromLatin1(program), QStringLiteral(QUILLON_VERSION),
             QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()));
}

} // namespace quillon
