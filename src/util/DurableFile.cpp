// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/DurableFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif
#include <cstdio>

namespace quillon {

namespace {

FileStepHook fileStepHook = nullptr;

void Step(const char* step, const QString& path) {
    if (fileStepHook) {
        fileStepHook(step, path);
    }
}

bool SyncToDisk(QFile& file) {
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

QString SystemReason(int number) {
    return number != 0 ? QString::fromLocal8Bit(std::strerror(number))
                       : QStringLiteral("the disk took only part of the record");
}

// Cuts the torn tail of an earlier append.
bool RepairTornTail(QFile& file, const WholeRecordsLength& wholeRecords, QString* error) {
    const qint64 size = file.size();
    if (size == 0) {
        return true;
    }
    qint64 keep = size;
    if (wholeRecords) {
        if (!file.seek(0)) {
            *error = file.errorString();
            return false;
        }
        keep = wholeRecords(file.readAll());
    } else {
        // To the last complete line.
        const qint64 window = qMin<qint64>(size, 64 * 1024);
        if (!file.seek(size - window)) {
            *error = file.errorString();
            return false;
        }
        const QByteArray tail = file.read(window);
        if (tail.endsWith('\n')) {
            return true;
        }
        const qsizetype lastEnd = tail.lastIndexOf('\n');
        keep = lastEnd < 0 ? size - window : size - window + lastEnd + 1;
    }
    if (keep < size && !file.resize(keep)) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

void SetFileStepHook(FileStepHook hook) {
    fileStepHook = hook;
}

static bool AppendRecordTo(const QString& path, const QByteArray& bytes, QString* error,
                           const WholeRecordsLength& wholeRecords) {
    Step("append", path);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        // A FIFO or a device in place of the file: opening it could block.
        *error = QStringLiteral("not a regular file");
        return false;
    }
    const bool created = !info.exists();
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    if (!RepairTornTail(file, wholeRecords, error)) {
        return false;
    }
    const qint64 before = file.size();
    if (!file.seek(before)) {
        *error = file.errorString();
        return false;
    }
    errno = 0;
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        // The record is in the file whole or not at all.
        *error = SystemReason(errno);
        file.resize(before);
        SyncToDisk(file);
        return false;
    }
    if (!SyncToDisk(file)) {
        *error = QStringLiteral("the disk did not confirm the write: ") + SystemReason(errno);
        return false;
    }
    file.close();
    // A new file's name lives in its directory: synced too, so that a power
    // cut cannot take the new file with its first record away.
    if (created && !SyncDirectoryOf(path)) {
        *error = QStringLiteral("the disk did not confirm the new file: ") + SystemReason(errno);
        return false;
    }
    Step("appended", path);
    return true;
}

QString PartFilePath(const QString& path) {
    const QFileInfo info(path);
    return info.dir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".part"));
}

static bool ReplaceFileWith(const QString& path, const QByteArray& bytes, QString* error) {
#ifdef Q_OS_WIN
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
#else
    // Written whole to ".NAME.part" beside the file, synced, renamed over
    // the file, and the directory synced: readers see the old file or the
    // new one, and a power cut after the rename cannot bring the old one
    // back. The part file has one name, so one that a kill left behind is
    // simply written over by the next replace.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        *error = QStringLiteral("not a regular file");
        return false;
    }
    const QString part = PartFilePath(path);
    QFile file(part);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() || !SyncToDisk(file)) {
        *error = SystemReason(errno);
        file.close();
        QFile::remove(part);
        return false;
    }
    file.close();
    Step("replace", path);
    if (::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0) {
        *error = SystemReason(errno);
        QFile::remove(part);
        return false;
    }
    if (!SyncDirectoryOf(path)) {
        *error = QStringLiteral("the disk did not confirm the new file: ") + SystemReason(errno);
        return false;
    }
    Step("replaced", path);
    return true;
#endif
}

int RemoveLeftoverTempFiles(const QString& directory, const QStringList& names) {
    int removed = 0;
    const QDir dir(directory);
    // A replace killed before its rename leaves ".NAME.part" (this
    // program's) or "NAME.XXXXXX" (six random letters and digits, Qt's own).
    static const QRegularExpression random(QStringLiteral("^[A-Za-z0-9]{6}$"));
    static const QRegularExpression mixed(QStringLiteral("[0-9A-Z]"));
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        for (const QString& name : names) {
            const bool part = entry == QStringLiteral(".") + name + QStringLiteral(".part");
            const QString suffix = entry.mid(name.size() + 1);
            const bool qtTemp = entry.startsWith(name + u'.') && random.match(suffix).hasMatch() &&
                                mixed.match(suffix).hasMatch() && suffix != suffix.toUpper();
            if ((part || qtTemp) && QFile::remove(dir.filePath(entry))) {
                ++removed;
            }
        }
    }
    return removed;
}

int RemoveLeftoverPartFiles(const QString& directory, const QRegularExpression& names) {
    int removed = 0;
    const QDir dir(directory);
    const QDateTime settled = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (const QFileInfo& entry :
         dir.entryInfoList({QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden)) {
        const QString name = entry.fileName().mid(1).chopped(5);
        if (names.match(name).hasMatch() && entry.lastModified().toUTC() < settled &&
            QFile::remove(entry.filePath())) {
            ++removed;
        }
    }
    return removed;
}

bool SyncDirectoryOf(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return true; // NTFS journals the rename itself
#else
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#endif
}

Result<void> AppendRecord(const QString& path, const QByteArray& bytes,
                          const WholeRecordsLength& wholeRecords) {
    QString reason;
    if (!AppendRecordTo(path, bytes, &reason, wholeRecords)) {
        return Error{ErrorKind::Unwritable, reason};
    }
    return {};
}

Result<void> ReplaceFile(const QString& path, const QByteArray& bytes) {
    QString reason;
    if (!ReplaceFileWith(path, bytes, &reason)) {
        return Error{ErrorKind::Unwritable, reason};
    }
    return {};
}

} // namespace quillon
