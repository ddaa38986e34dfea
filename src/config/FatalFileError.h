// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Result.h"

#include <QString>
#include <stdexcept>

namespace quillon {

// A mandatory configuration file that cannot be used stops the program: the
// operator sees the "Fatal File Error" box and the station does not start on
// a wrong value.
class FatalFileError : public std::runtime_error {
public:
    FatalFileError(int number, QString directory, QString label, QString description);

    int Number() const { return number_; }
    const QString& Directory() const { return directory_; }
    const QString& Description() const { return description_; }

    // "Error # 53:<dir>:INST.CFG" line break <description> line break
    // "System is stopped".
    QString BoxText() const;
    static QString Title() { return QStringLiteral("Fatal File Error"); }
    // The error as the readers return it: the box text, and a missing file
    // or directory told apart from one that cannot be read or used.
    Error AsError() const;

private:
    int number_;
    QString directory_;
    QString label_;
    QString description_;
};

} // namespace quillon
