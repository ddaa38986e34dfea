// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace quillon {

// A file of the calibration, replaced whole with `bytes`.
struct CalibrationFile {
    QString path;
    QByteArray bytes;
};

// Where a calibration change stopped.
struct CalibrationChangeFailure {
    bool recorded = false; // the record was written; only the files failed
    QString path;          // the file that could not be written
    Error error;
};

// The one order of every calibration change (the mercury test's date, a
// Q-table change, the standard lamp's corrections): its record first, then
// each file of the calibration replaced whole, in the order given, so that
// a kill at any instant leaves the old calibration, or the new one with its
// record. `record` runs only while `*recorded` is false, and sets it: an
// operator's retry after a failed file does not write the record twice.
// Nothing when every step was done.
std::optional<CalibrationChangeFailure>
ChangeCalibration(bool* recorded, const std::function<Result<void>()>& record,
                  const QList<CalibrationFile>& files);

} // namespace quillon
