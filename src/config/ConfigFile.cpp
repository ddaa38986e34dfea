#include "config/ConfigFile.h"

#include "config/FatalFileError.h"
#include "util/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace quillon {

QString ResolveFileName(const QString& directory, const QString& fileName) {
    const QString exact = directory + fileName;
    if (QFileInfo::exists(exact)) {
        return exact;
    }
    const QStringList entries = QDir(directory).entryList(QDir::Files);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) {
            return directory + entry;
        }
    }
    return exact;
}

QString NormalizeDirectory(const QString& item, const QString& homeDir) {
    QString path = item.trimmed();
    path.replace(u'\\', u'/');
    if (QDir::isRelativePath(path)) {
        path = homeDir + path;
    }
    if (!path.endsWith(u'/')) {
        path += u'/';
    }
    return path;
}

ConfigFile ConfigFile::Open(const QString& directory, const QString& fileName,
                            const QString& label) {
    QString text;
    FileError error;
    if (!ReadTextFile(ResolveFileName(directory, fileName), &text, &error)) {
        throw FatalFileError(error.number, directory, label, error.description);
    }
    return ConfigFile(std::move(text), directory, label);
}

ConfigFile::ConfigFile(QString text, QString directory, QString label)
    : reader_(std::move(text)), directory_(std::move(directory)), label_(std::move(label)) {}

QString ConfigFile::Text() {
    const std::optional<QString> item = reader_.Next();
    if (!item) {
        throw FatalFileError(kErrInputPastEnd, directory_, label_,
                             QStringLiteral("Input past end of file: item %1 is missing")
                                 .arg(reader_.ItemNumber() + 1));
    }
    return *item;
}

double ConfigFile::Number() {
    const QString item = Text();
    double value = 0;
    if (!ParseNumberItem(item, &value)) {
        throw FatalFileError(kErrTypeMismatch, directory_, label_,
                             QStringLiteral("Type mismatch: item %1 is not a number: \"%2\"")
                                 .arg(reader_.ItemNumber())
                                 .arg(item));
    }
    return value;
}

std::optional<QString> ConfigFile::OptionalText() {
    return reader_.Next();
}

} // namespace quillon
