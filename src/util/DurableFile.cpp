#include "util/DurableFile.h"

#include <QFile>
#include <QSaveFile>

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

// Cuts a file that does not end in a line end back to its last complete line.
bool RepairTornTail(QFile& file, QString* error) {
    const qint64 size = file.size();
    if (size == 0) {
        return true;
    }
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
    const qint64 keep = lastEnd < 0 ? size - window : size - window + lastEnd + 1;
    if (!file.resize(keep)) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool AppendRecord(const QString& path, const QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    if (!RepairTornTail(file, error)) {
        return false;
    }
    if (!file.seek(file.size())) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        return false;
    }
    if (!SyncToDisk(file)) {
        *error = QStringLiteral("the disk did not confirm the write");
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
