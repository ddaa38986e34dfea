// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/Services.h"

class QMenuBar;
class QWidget;

namespace quillon {

// The "&Info" and "&Comment" entries of the lamp test screens: the
// program information, and a comment to the day file.
void AddInfoAndCommentEntries(QMenuBar* bar, Services& services, QWidget* screen);

} // namespace quillon
