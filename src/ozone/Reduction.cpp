// SPDX-License-Identifier: GPL-3.0-or-later
#include "ozone/Reduction.h"

#include "astro/AstroFunctions.h"

namespace quillon {

QStringList ReducibleTypes() {
    return {QStringLiteral("ADDSGQP"), QStringLiteral("CDDSGQP"), QStringLiteral("ADDSFI"),
            QStringLiteral("CDDSFI"),  QStringLiteral("ADZB"),    QStringLiteral("ADZC"),
            QStringLiteral("CDZB"),    QStringLiteral("CDZC"),    QStringLiteral("CCZB"),
            QStringLiteral("CCZC"),    QStringLiteral("ADRMFI"),  QStringLiteral("CDRMFI")};
}

ReductionResult ReduceObservation(const StationSetup& setup, const Calibration& calibration,
                                  const ReductionInput& in) {
    ObservationReadings readings;
    readings.first = {in.readings[0], in.readings[2], in.readings[4]};
    readings.firstSd = {in.deviations[0], in.deviations[2], in.deviations[4]};
    readings.second = {in.readings[1], in.readings[3]};
    readings.secondSd = {in.deviations[1], in.deviations[3]};
    const QString type = in.type.toUpper();
    const QString pair = type.left(2);
    const QString target = type.mid(2, 2);

    ReductionResult out;
    out.means = ObsMeans(calibration, pair, readings);
    out.spread = out.means.spread;
    out.n1 = out.means.nFirst;
    out.n2 = out.means.nSecond;
    const double n = out.n1 - out.n2;
    const bool direct = target == QLatin1String("DS") || target == QLatin1String("FI");
    const bool zenith = target == QLatin1String("ZB") || target == QLatin1String("ZC");

    OzoneResult result;
    if (pair == QLatin1String("CC")) {
        if (zenith) {
            result.mu = SunMu(setup, in.meanUtc); // mu only
        }
    } else if (pair == QLatin1String("AD") && direct) {
        result = OzoneAD(setup, n, in.meanUtc);
    } else if (pair == QLatin1String("CD") && direct) {
        result = OzoneCD(setup, n, in.meanUtc);
    } else if (pair == QLatin1String("AD") && zenith) {
        result = OzoneADZenith(setup, n, target, in.meanUtc);
    } else if (pair == QLatin1String("CD") && zenith) {
        result = OzoneCDZenith(setup, n, in.meanUtc);
    }
    out.mu = result.mu;
    out.ozone = result.ozone;
    out.calculated = result.ozone != kOzoneNotCalculated;
    if (out.calculated) {
        out.ozoneSpread = pair == QLatin1String("AD") ? OzoneSpreadAD(out.spread, out.mu)
                                                      : OzoneSpreadCD(out.spread, out.mu);
    }
    return out;
}

} // namespace quillon
