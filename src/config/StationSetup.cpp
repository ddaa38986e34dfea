// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/StationSetup.h"

#include "util/Format.h"

namespace quillon {

QString InstrumentIdFor(double instrumentNumber) {
    const QString digits = Str(instrumentNumber).trimmed();
    return instrumentNumber < 99 ? QStringLiteral("0") + digits : digits;
}

DateTimeValue LocalStandardTime(const StationSetup& setup, DateTimeValue utc) {
    return utc - static_cast<double>(setup.UtcOffsetHours) / 24.0;
}

} // namespace quillon
