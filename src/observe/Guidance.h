// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillon {

// One observation entry of the main menu with its shortcut label.
struct ObservationEntry {
    const char* code;         // the observation type, "CCZB"
    const char* menuName;     // "mnCCZB"
    const char* caption;      // "CC'ZB"
    const char* labelName;    // "lblF5", empty for the moon entries
    const char* labelCaption; // "F5:CC'ZB"
    const char* shortcut;     // "F5", "Ctrl+A"
};

// The twelve entries in menu order.
const QList<ObservationEntry>& ObservationEntries();

// What the main screen offers while mu is in one range.
struct MuGuidance {
    int range = 0;
    QStringList lines;   // message lines, joined by CR LF on the screen
    QStringList entries; // observation codes offered in the menu
    QStringList labels;  // codes whose shortcut label is shown
    bool showShortcutFrame = false;
};

// The range (1 to 9) that mu falls in, testing the rows in order; 0 for mu
// in a gap between ranges (the screen keeps its guidance there).
int MuRangeFor(double mu);

const MuGuidance& GuidanceFor(int range);

} // namespace quillon
