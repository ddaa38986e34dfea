// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/ItemReader.h"

#include <QString>
#include <optional>

namespace quillon {

// One configuration file being read item by item. A mandatory item that is
// missing or not a number stops the program with a fatal file error naming
// the file, the item number and the text found.
class ConfigFile {
public:
    // Opens `directory` + `fileName` (matched without regard to letter case
    // when the exact name is absent); throws FatalFileError with `label`.
    static ConfigFile Open(const QString& directory, const QString& fileName, const QString& label);

    ConfigFile(QString text, QString directory, QString label);

    QString Text();
    // A text item that is whole: a quote it opens is closed (a file cut
    // inside the item is refused, not rewritten cut).
    QString WholeText();
    // A finite number; `nan`, `inf` and the like are refused.
    double Number();
    // A number from `lowest` to `highest`, both in.
    double NumberIn(double lowest, double highest);
    // A finite number within single precision's range.
    float Single();
    // A whole number within -32768..32767.
    int Integer16();
    // A whole number within `lowest`..`highest`.
    int WholeNumber(int lowest, int highest);
    // Item 8 or 9 of inst.cfg: a lamp test's date, "UNKNOWN" when the item
    // is absent, empty or says so; anything but a real MM/DD/YYYY date is a
    // fatal error (a wrong date would silence the overdue notice).
    QString OptionalTestDate();
    std::optional<QString> OptionalText();

private:
    [[noreturn]] void Refuse(const QString& what, const QString& item);

    ItemReader reader_;
    QString directory_;
    QString label_;
};

// The path of `fileName` in `directory`; when no file has exactly that name,
// a file whose name differs only in letter case is taken instead (stations
// copy their configuration from Windows machines).
QString ResolveFileName(const QString& directory, const QString& fileName);

// A directory item of disc.cfg made usable: "\" taken as "/", relative paths
// taken from the home directory, and a trailing separator added.
QString NormalizeDirectory(const QString& item, const QString& homeDir);

} // namespace quillon
