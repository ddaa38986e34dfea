// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/Services.h"

class QWidget;

namespace quillon {

// The browser of other days: the explanation, the drive and directory
// chooser, and the day-file list with its summary and "Make &Summary File".
void RunOtherDays(Services& services, QWidget* parent);

} // namespace quillon
