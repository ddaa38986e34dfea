// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"

#include <QByteArray>

namespace quillon {

// The one writer of inst.cfg, for every workflow that changes it (mercury
// test, standard lamp test, Q-table change): all nine items, one per line,
// numbers in their shortest form, the dates quoted as the reader takes
// them, "UNKNOWN" for a test date not known.
QByteArray InstCfgText(const StationSetup& setup, const Calibration& calibration);

// The path of inst.cfg in the configuration directory (by any letter case).
QString InstCfgPath(const StationSetup& setup);

} // namespace quillon
