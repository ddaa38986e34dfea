#include "util/DurableFile.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quillon {

namespace {

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

bool AppendRecord(const QString& path, const QByteArray& bytes, QString* error,
                  const WholeRecordsLength& wholeRecords) {
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
    return true;
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error) {
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
}

} // namespace quillon
