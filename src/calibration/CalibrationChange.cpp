// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/CalibrationChange.h"

#include "util/DurableFile.h"

namespace quillon {

std::optional<CalibrationChangeFailure>
ChangeCalibration(bool* recorded, const std::function<Result<void>()>& record,
                  const QList<CalibrationFile>& files) {
    if (!*recorded) {
        if (const Result<void> written = record(); !written) {
            return CalibrationChangeFailure{false, QString(), written.error()};
        }
        *recorded = true;
    }
    for (const CalibrationFile& file : files) {
        if (const Result<void> written = ReplaceFile(file.path, file.bytes); !written) {
            return CalibrationChangeFailure{true, file.path, written.error()};
        }
    }
    return std::nullopt;
}

} // namespace quillon
