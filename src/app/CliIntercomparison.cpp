// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliCalibration.h"
#include "app/CliSupport.h"
#include "intercomparison/CdaSet.h"

#include "util/DateTimeValue.h"

#include <cmath>

namespace quillon::cli {

int IcSetCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("date"), QStringLiteral("UTC date"), QStringLiteral("YYYY-MM-DD")});
    for (const char* w : {"c", "d", "a"}) {
        parser.addOption({QString::fromLatin1(w), QStringLiteral("time, R-dial mean, deviation"),
                          QStringLiteral("HH:MM:SS,R,SD")});
    }
    const QStringList positionals =
        ParseCommand(parser, args) ? Positionals(parser) : QStringList{QStringLiteral("?"), {}};
    if (positionals.size() != 1 ||
        (positionals[0] != QLatin1String("DS") && positionals[0] != QLatin1String("ZenSky")) ||
        !parser.isSet(QStringLiteral("date"))) {
        Err() << "Usage: quillon-cli icset DS|ZenSky --date YYYY-MM-DD [--c HH:MM:SS,R,SD] "
                 "[--d HH:MM:SS,R,SD] [--a HH:MM:SS,R,SD]"
              << Qt::endl;
        return kExitUsage;
    }
    IcSet set;
    set.directSun = positionals[0] == QLatin1String("DS");
    const QString date = OptionValue(parser, QStringLiteral("date"));
    const char* names[3] = {"c", "d", "a"};
    bool any = false;
    for (int w = 0; w < 3; ++w) {
        const QString name = QString::fromLatin1(names[w]);
        if (!parser.isSet(name)) {
            continue;
        }
        const QStringList parts = OptionValue(parser, name).split(u',');
        DateTimeValue utc = 0;
        bool okR = false;
        bool okSd = false;
        const double r = parts.value(1).toDouble(&okR);
        const double sd = parts.value(2).toDouble(&okSd);
        if (parts.size() != 3 || !okR || !okSd || !std::isfinite(r) || !std::isfinite(sd) ||
            !ParseIsoDateTime(date + u'T' + parts[0].trimmed(), &utc)) {
            Err() << "--" << name
                  << " takes HH:MM:SS,R,SD on the date of --date: " << OptionValue(parser, name)
                  << Qt::endl;
            return kExitUsage;
        }
        set.wavelengths[static_cast<size_t>(w)] = IcMeasurement{utc, r, sd};
        any = true;
    }
    if (!any) {
        Err() << "A set needs at least one of --c, --d and --a." << Qt::endl;
        return kExitUsage;
    }
    if (!Load(vars, messages)) {
        return kExitStation;
    }
    const IcResult result = ComputeIcSet(vars.setup, vars.calibration, set);
    Out() << CdaDataLine(vars.setup, set, result) << '\n';
    // Reprocessed: the record is dated by the set itself.
    for (const QString& line : IcDayRecordLines(vars.setup, set, result, result.meanUtc,
                                                QStringLiteral("C "), QStringLiteral("     "))) {
        Out() << line << '\n';
    }
    Out().flush();
    return 0;
}

} // namespace quillon::cli
