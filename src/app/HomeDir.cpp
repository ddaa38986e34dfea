// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HomeDir.h"

#include <QDir>
#include <QFileInfo>

namespace quillon {

QString TakeHomeDir(QStringList& args) {
    QString home;
    const qsizetype at = args.indexOf(QStringLiteral("--home"));
    if (at >= 0 && at + 1 < args.size()) {
        home = args[at + 1];
        args.remove(at, 2);
    } else {
#ifdef Q_OS_WIN
        home = QStringLiteral("C:/quillon");
#else
        home = QDir::homePath() + QStringLiteral("/quillon");
#endif
    }
    home = QFileInfo(home).absoluteFilePath();
    if (!home.endsWith(u'/')) {
        home += u'/';
    }
    return home;
}

} // namespace quillon
