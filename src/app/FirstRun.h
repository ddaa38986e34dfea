// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Result.h"

#include <QString>

namespace quillon {

// The example station shipped with the program (installed beside it, or
// in the source tree it was built from); empty when neither is there.
QString ExampleStationDir();

// Whether the station home exists, and the advice when it does not.
bool HomeExists(const QString& home);
QString MissingHomeAdvice(const QString& home);

// Copies the example station into `home` for training: into a scratch
// directory beside it first, renamed into place when whole, so a failed
// copy never leaves a half-made home. False with the reason.
Result<void> CopyExampleStation(const QString& home);

} // namespace quillon
