// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/InstCfg.h"

#include "config/ConfigFile.h"
#include "util/Format.h"
#include "util/TextFile.h"

namespace quillon {

namespace {
QString Quoted(const QString& text) {
    return u'"' + text + u'"';
}
QString TestDate(const QString& date) {
    return Quoted(date.trimmed().isEmpty() ? QStringLiteral("UNKNOWN") : date);
}
} // namespace

QByteArray InstCfgText(const StationSetup& setup, const Calibration& calibration) {
    return CrLfLines({Str(setup.InstrumentNumber).trimmed(), Str(calibration.TempCoeff).trimmed(),
                      Str(calibration.Q15A).trimmed(), Str(calibration.Q15C).trimmed(),
                      Str(calibration.Q15D).trimmed(), Str(calibration.Q15Hg).trimmed(),
                      Quoted(calibration.QTableDate), TestDate(calibration.LastHgTest),
                      TestDate(calibration.LastStdTest)});
}

QString InstCfgPath(const StationSetup& setup) {
    return ResolveFileName(setup.ConfigDir, QStringLiteral("inst.cfg"));
}

} // namespace quillon
