// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/SharedVars.h"

#include <QList>

namespace quillon {

struct LabelledValue {
    QString label;
    QString value;
};

// The values of the parameter screen "Station and Instrument Parameters",
// formatted as the screen shows them.
QList<LabelledValue> StationParameterLines(const SharedVars& vars);
QList<LabelledValue> InstrumentParameterLines(const SharedVars& vars);

// The values of the program information screen.
QList<LabelledValue> ProgramInfoLines(const SharedVars& vars);

} // namespace quillon
