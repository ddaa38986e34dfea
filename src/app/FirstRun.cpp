// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FirstRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace quillon {

namespace {
// The archive password in CallHome.cfg is the station's own: only its
// owner reads it. Everything else may be read by all.
QFileDevice::Permissions PermissionsOfCopy(const QString& name) {
    const QFileDevice::Permissions own = QFile::ReadOwner | QFile::WriteOwner;
    return name.compare(QLatin1String("CallHome.cfg"), Qt::CaseInsensitive) == 0
               ? own
               : own | QFile::ReadGroup | QFile::ReadOther;
}

bool CopyTree(const QString& from, const QString& to, QString* error) {
    QDir source(from);
    if (!QDir().mkpath(to)) {
        *error = QStringLiteral("cannot create ") + to;
        return false;
    }
    for (const QFileInfo& entry :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + u'/' + entry.fileName();
        if (entry.isDir()) {
            if (!CopyTree(entry.filePath(), target, error)) {
                return false;
            }
        } else if (!QFile::copy(entry.filePath(), target) ||
                   !QFile::setPermissions(target, PermissionsOfCopy(entry.fileName()))) {
            *error = QStringLiteral("cannot copy ") + entry.filePath();
            return false;
        }
    }
    return true;
}
} // namespace

QString ExampleStationDir() {
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../share/quillon/examples/station");
    // Installed, beside the program's bin directory; in a build tree the
    // build directory's share/ links to the source tree's examples.
    if (QFileInfo(installed + QStringLiteral("/disc.cfg")).isFile()) {
        return QDir(installed).absolutePath();
    }
    return {};
}

bool HomeExists(const QString& home) {
    return QFileInfo(home).isDir();
}

QString MissingHomeAdvice(const QString& home) {
    const QString example = ExampleStationDir();
    QString text =
        QStringLiteral("The station home ") + home + QStringLiteral(" does not exist.\n");
    if (!example.isEmpty()) {
        text += QStringLiteral("To train on the example station, copy it there:\n  cp -r ") +
                example + u' ' + home +
                QStringLiteral("\nthen edit its files for your station (see quillon(1)).");
    } else {
        text +=
            QStringLiteral("Make it with disc.cfg and the configuration files of your station.");
    }
    return text;
}

Result<void> CopyExampleStation(const QString& home) {
    const auto failed = [](const QString& why) { return Error{ErrorKind::Unwritable, why}; };
    const QString example = ExampleStationDir();
    if (example.isEmpty()) {
        return failed(QStringLiteral("the example station is not installed"));
    }
    const QString target = QDir::cleanPath(home);
    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent)) {
        return failed(QStringLiteral("cannot create ") + parent);
    }
    QTemporaryDir scratch(parent + QStringLiteral("/.quillon-new-XXXXXX"));
    if (!scratch.isValid()) {
        return failed(QStringLiteral("cannot write in ") + parent);
    }
    QString error;
    if (!CopyTree(example, scratch.path() + QStringLiteral("/home"), &error)) {
        return failed(error);
    }
    if (!QDir().rename(scratch.path() + QStringLiteral("/home"), target)) {
        return failed(QStringLiteral("cannot move the copy to ") + target);
    }
    return {};
}

} // namespace quillon
