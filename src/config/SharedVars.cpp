// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/SharedVars.h"

#include "util/Format.h"

#include <cmath>

namespace quillon {

QString InstrumentIdFor(double instrumentNumber) {
    const QString digits = Str(instrumentNumber).trimmed();
    return instrumentNumber < 99 ? QStringLiteral("0") + digits : digits;
}

DateTimeValue LocalStandardTime(const SharedVars& vars, DateTimeValue utc) {
    return utc - static_cast<double>(vars.UtcOffsetHours) / 24.0;
}

} // namespace quillon
