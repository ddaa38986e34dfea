// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/ClockSync.h"

#if defined(Q_OS_LINUX)
#include <sys/timex.h>
#endif

namespace quillon {

bool SystemClockSynchronised() {
#if defined(Q_OS_LINUX)
    struct timex state {};
    const int clock = adjtimex(&state); // modes 0: reads only
    return clock != -1 && clock != TIME_ERROR && (state.status & STA_UNSYNC) == 0;
#else
    return true;
#endif
}

QString DateTimeSourceText() {
#if defined(Q_OS_WIN)
    return QStringLiteral(
        "DATE AND TIME ARE SET THROUGH WINDOWS: USE A NETWORK TIMESETTER PROGRAM");
#else
    return QStringLiteral("DATE AND TIME ARE SET BY THE SYSTEM: KEEP ITS NETWORK TIME SERVICE "
                          "RUNNING");
#endif
}

QString ClockNotSynchronisedText() {
    return QStringLiteral("THE SYSTEM CLOCK IS NOT SYNCHRONISED: every observation's time comes "
                          "from it. Start its network time service (timedatectl set-ntp true).");
}

} // namespace quillon
