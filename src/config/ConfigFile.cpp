// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ConfigFile.h"

#include "config/FatalFileError.h"
#include "util/TextFile.h"

#include "util/DateTimeValue.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <limits>
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
    const Result<QString> read =
        ReadTextFile(ResolveFileName(directory, fileName), kMaxConfigFileBytes);
    if (!read) {
        throw FatalFileError(read.error().number, directory, label, read.error().message);
    }
    const QString& text = *read;
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

void ConfigFile::Refuse(const QString& what, const QString& item) {
    // The text found, cut so that a line of junk still gives a readable box.
    const QString shown = item.size() > 40 ? item.left(40) + QStringLiteral("...") : item;
    throw FatalFileError(kErrTypeMismatch, directory_, label_,
                         QStringLiteral("Type mismatch: item %1 is not %2: \"%3\"")
                             .arg(reader_.ItemNumber())
                             .arg(what, shown));
}

QString ConfigFile::WholeText() {
    const QString item = Text();
    if (reader_.LastQuoteUnclosed()) {
        Refuse(QStringLiteral("a whole text (its closing quote is missing)"), item);
    }
    return item;
}

int ConfigFile::WholeNumber(int lowest, int highest) {
    const QString item = Text();
    double value = 0;
    if (!ParseNumberItem(item, &value) || !std::isfinite(value) || value != std::floor(value) ||
        value < lowest || value > highest) {
        Refuse(QStringLiteral("a whole number from %1 to %2").arg(lowest).arg(highest), item);
    }
    return static_cast<int>(value);
}

double ConfigFile::Number() {
    const QString item = Text();
    double value = 0;
    if (!ParseNumberItem(item, &value) || !std::isfinite(value)) {
        Refuse(QStringLiteral("a number"), item);
    }
    return value;
}

double ConfigFile::NumberIn(double lowest, double highest) {
    const QString item = Text();
    double value = 0;
    if (!ParseNumberItem(item, &value) || !std::isfinite(value) || value < lowest ||
        value > highest) {
        Refuse(QStringLiteral("a number from %1 to %2").arg(lowest).arg(highest), item);
    }
    return value;
}

float ConfigFile::Single() {
    const QString item = Text();
    double value = 0;
    if (!ParseNumberItem(item, &value) || !std::isfinite(value) ||
        std::fabs(value) > std::numeric_limits<float>::max()) {
        Refuse(QStringLiteral("a single-precision number"), item);
    }
    return static_cast<float>(value);
}

int ConfigFile::Integer16() {
    const QString item = Text();
    double value = 0;
    if (!ParseNumberItem(item, &value) || !std::isfinite(value) ||
        std::nearbyint(value) < -32768.0 || std::nearbyint(value) > 32767.0) {
        Refuse(QStringLiteral("a whole number from -32768 to 32767"), item);
    }
    return static_cast<int>(std::nearbyint(value));
}

QString ConfigFile::OptionalTestDate() {
    const std::optional<QString> item = reader_.Next();
    if (!item || item->trimmed().isEmpty() ||
        item->trimmed().compare(QLatin1String("UNKNOWN"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("UNKNOWN");
    }
    DateTimeValue date = 0;
    if (!ParseMdy(*item, &date)) {
        Refuse(QStringLiteral("a date MM/DD/YYYY or UNKNOWN"), *item);
    }
    return item->trimmed();
}

std::optional<QString> ConfigFile::OptionalText() {
    return reader_.Next();
}

} // namespace quillon
