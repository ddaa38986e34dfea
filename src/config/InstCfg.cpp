// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/InstCfg.h"

#include "config/ConfigFile.h"
#include "util/DurableFile.h"
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

QByteArray InstCfgText(const SharedVars& vars) {
    return CrLfLines({Str(vars.InstrumentNumber).trimmed(), Str(vars.TempCoeff).trimmed(),
                      Str(vars.Q15A).trimmed(), Str(vars.Q15C).trimmed(), Str(vars.Q15D).trimmed(),
                      Str(vars.Q15Hg).trimmed(), Quoted(vars.QTableDate), TestDate(vars.LastHgTest),
                      TestDate(vars.LastStdTest)});
}

QString InstCfgPath(const SharedVars& vars) {
    return ResolveFileName(vars.ConfigDir, QStringLiteral("inst.cfg"));
}

bool WriteInstCfg(const SharedVars& vars, QString* error) {
    return ReplaceFile(InstCfgPath(vars), InstCfgText(vars), error);
}

} // namespace quillon
