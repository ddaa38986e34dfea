// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillon {

// Every observation's time is the computer's: the main screen says where
// that time comes from, and warns when the system clock is not kept by a
// time service.

// Whether the kernel's clock is synchronised to a time source (adjtimex:
// no STA_UNSYNC and no TIME_ERROR). True where this cannot be known.
bool SystemClockSynchronised();

// The line that says how date and time are set on this system.
QString DateTimeSourceText();

// The help line's warning while the clock is not synchronised.
QString ClockNotSynchronisedText();

} // namespace quillon
