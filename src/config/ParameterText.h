// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"

#include "util/LabelledValue.h"

#include <QList>

namespace quillon {

// The values of the parameter screen "Station and Instrument Parameters",
// formatted as the screen shows them.
QList<LabelledValue> StationParameterLines(const StationSetup& setup);
QList<LabelledValue> InstrumentParameterLines(const StationSetup& setup,
                                              const Calibration& calibration);

// The values of the program information screen.
QList<LabelledValue> ProgramInfoLines(const StationSetup& setup, const Calibration& calibration);

} // namespace quillon
