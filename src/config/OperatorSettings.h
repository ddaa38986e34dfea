// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillon {

// How the operator works this session: computer-timed or prompted
// observations, spoken prompts, and the initials and instrument temperature
// last entered (offered again and used by the next workflow).
struct OperatorSettings {
    int ComputerTimed = 1;
    int AudioPrompts = 1;
    QString ObserverInitials;
    double InstrumentTemperature = 0;
};

} // namespace quillon
