// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"

#include <QList>
#include <QString>
#include <optional>

namespace quillon {

// A calibration change whose record was written but whose values never
// reached inst.cfg: the program was stopped between the two steps.
struct UnappliedChange {
    QString what;      // "Q-table change", "mercury test", "standard lamp test"
    QString when;      // "MM/DD/YYYY HH:MM" of its record
    QString newValues; // of a Q-table change: its " New Values A: ..." text
    // "the Q-table change of 12/09/2026 10:12 did not reach inst.cfg;
    // inst.cfg holds the values from before it"
    QString text;
};

// The changes recorded but not in the calibration read at the start: the
// last mercury and standard lamp tests of the histories, dated after the
// tests inst.cfg names, and the last Q-table change of the newest day file
// whose new values inst.cfg does not hold (unless a comment after it says
// the change was not made). Each history or day file that cannot be read
// hides nothing else.
QList<UnappliedChange> FindUnappliedChanges(const StationSetup& setup,
                                            const Calibration& calibration);

// The Q-table change of the day file at `dayFilePath` that did not reach
// inst.cfg, if there is one: a change with the same new values is a retry
// of it.
std::optional<UnappliedChange> UnappliedQTableChange(const QString& dayFilePath,
                                                     const Calibration& calibration);

} // namespace quillon
