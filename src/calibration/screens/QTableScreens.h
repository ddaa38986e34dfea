// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/Services.h"

class QWidget;

namespace quillon {

// The Q-table review and adjustment: "AdjQtable" with the last three
// mercury tests, the initials prompt with the review's warnings, "Inqadj"
// for the adjustment, the new values, Accept and "Qchanged".
void RunQTableReview(Services& services, QWidget* parent);

// "PrintQtable": names the Q setting table file and makes it on Space.
void RunPrintQTable(Services& services, QWidget* parent);

} // namespace quillon
