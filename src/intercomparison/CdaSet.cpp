// SPDX-License-Identifier: GPL-3.0-or-later
#include "intercomparison/CdaSet.h"

#include "astro/AstroFunctions.h"
#include "ozone/OzoneCalc.h"
#include "records/DayFile.h"
#include "util/Format.h"

#include <cmath>

namespace quillon {

namespace {

// Direct-sun absorption and Rayleigh coefficients by wavelength (C, D, A).
const double kAlpha[3] = {0.833, 0.374, 1.806};
const double kBeta[3] = {0.131, 0.278, 0.063};
const int kCodes[3] = {kWavelengthC, kWavelengthD, kWavelengthA};

double Capped(double ozone) {
    return ozone > 999.0 ? 999.0 : ozone;
}

// Direct sun: the pair's ozone from each wavelength's own N, mu and air mass.
double PairOzone(const IcWavelengthResult& x, const IcWavelengthResult& d, double alpha,
                 double beta, float pressure) {
    return 1000.0 * (((x.n / 100.0) / x.mu - (d.n / 100.0) / d.mu) / alpha -
                     beta * pressure * (x.airMass + d.airMass) / (x.mu + d.mu));
}

} // namespace

IcResult ComputeIcSet(const StationSetup& setup, const Calibration& calibration, const IcSet& set) {
    IcResult out;
    double timeSum = 0;
    int measured = 0;
    for (int w = 0; w < 3; ++w) {
        const std::optional<IcMeasurement>& m = set.wavelengths[static_cast<size_t>(w)];
        if (!m) {
            continue;
        }
        timeSum += m->utc;
        ++measured;
        IcWavelengthResult r;
        r.mu = SunMu(setup, m->utc);
        r.airMass = SunAirMass(setup, m->utc);
        r.zenithAngle = SunZenithAngle(setup, m->utc);
        r.n = RtoN(calibration, kCodes[w], m->r);
        if (r.n != 0.0) {
            r.ozone = Capped(1000.0 * ((r.n / 100.0) / (kAlpha[w] * r.mu) -
                                       kBeta[w] * r.airMass * setup.PressureRatio / r.mu));
        }
        out.wavelengths[static_cast<size_t>(w)] = r;
    }
    out.meanUtc = measured > 0 ? timeSum / measured : set.scheduledUtc;
    const auto& c = out.wavelengths[kIcC];
    const auto& d = out.wavelengths[kIcD];
    const auto& a = out.wavelengths[kIcA];
    if (set.directSun) {
        if (a && d) {
            out.ad = Capped(PairOzone(*a, *d, 1.432, 0.007, setup.PressureRatio));
        }
        if (c && d) {
            out.cd = Capped(PairOzone(*c, *d, 0.459, 0.011, setup.PressureRatio));
        }
        return out;
    }
    // Zenith sky: each pair's formula at mu of the mean of its two times.
    if (a && d) {
        const DateTimeValue t = (set.wavelengths[kIcA]->utc + set.wavelengths[kIcD]->utc) / 2.0;
        const double ozone = OzoneADZenithAtMu(setup, a->n - d->n, QStringLiteral("ZB"),
                                               SunMu(setup, t), SunAirMass(setup, t));
        if (std::isfinite(ozone) && ozone != kOzoneNotCalculated) {
            out.ad = Capped(ozone);
        }
    }
    if (c && d) {
        const DateTimeValue t = (set.wavelengths[kIcC]->utc + set.wavelengths[kIcD]->utc) / 2.0;
        const double ozone = OzoneCDZenithAtMu(c->n - d->n, SunMu(setup, t), setup.PressureRatio);
        if (std::isfinite(ozone) && ozone != kOzoneNotCalculated) {
            out.cd = Capped(ozone);
        }
    }
    return out;
}

QString CdaFilePath(const StationSetup& setup, DateTimeValue utc) {
    return setup.DataDir + QStringLiteral("CDAobs") + FormatDate(utc, u"YY") +
           FormatNumber(DayOfYear(utc), u"000") + u'.' + setup.InstrumentId;
}

QStringList CdaHeaderLines(const StationSetup& setup) {
    return {
        QStringLiteral("' CDA type observations"),
        QStringLiteral("' Instrument: ") + setup.InstrumentId,
        QStringLiteral("' Station: ") + setup.StationName + QStringLiteral(" Code: ") +
            setup.StationCode,
        QStringLiteral("' Lat: ") + FormatNumber(std::fabs(setup.Latitude), u"00.0000") +
            (setup.Latitude < 0 ? u'S' : u'N') + QStringLiteral(" Long: ") +
            FormatNumber(std::fabs(setup.Longitude), u"000.0000") +
            (setup.Longitude < 0 ? u'E' : u'W') + QStringLiteral(" Dec. Deg"),
        QStringLiteral("' Times are in UTC"),
        QStringLiteral("' Next line is column descripters, data starts in line 8"),
        QStringLiteral(" Station Code, Date UTC, MeanTime UTC, DS or ZEN,") +
            QStringLiteral(" time_for_C, Mu_at_time_for_C, SZA_at_time_for_C, Rc, Nc, TO3_C,") +
            QStringLiteral(" time_for_D, Mu_at_time_for_D,SZA_at_time_for_D, Rd, Nd, TO3_D,") +
            QStringLiteral(" time_for_A, Mu_at_time_for_A,  SZA_at_time_for_A, Ra, Na, TO3_A, ") +
            QStringLiteral(" TO3AD, TO3CD ")};
}

QString CdaDataLine(const StationSetup& setup, const IcSet& set, const IcResult& result) {
    const QString missing = QStringLiteral("-90000,");
    auto ozone = [&missing](const std::optional<double>& value) {
        return value ? FormatNumber(*value, u" ##.000") : missing.left(6);
    };
    QString line = setup.StationCode + u',' + FormatDate(result.meanUtc, u"YYYY-MM-DD") + u',' +
                   FormatDate(result.meanUtc, u"HH:MM:SS") + u',' +
                   (set.directSun ? QStringLiteral("DS,") : QStringLiteral("ZenSky,"));
    for (int w = 0; w < 3; ++w) {
        const auto& m = set.wavelengths[static_cast<size_t>(w)];
        const auto& r = result.wavelengths[static_cast<size_t>(w)];
        if (!m || !r) {
            line += missing.repeated(6);
            continue;
        }
        line += FormatDate(m->utc, u"HH:MM:SS") + u',' + FormatNumber(r->mu, u" ##.000") + u',' +
                FormatNumber(r->zenithAngle, u"###.00") + u',' + FormatNumber(m->r, u" ###.0") +
                u',' + FormatNumber(r->n, u" ###.0") + u',' + ozone(r->ozone) + u',';
    }
    line += ozone(result.ad) + u',';
    // The last field ends the line; one not computed keeps its comma.
    line += result.cd ? FormatNumber(*result.cd, u" ##.000") : missing;
    return line;
}

QStringList IcDayRecordLines(const StationSetup& setup, const IcSet& set, const IcResult& result,
                             DateTimeValue writtenUtc, const QString& sky, const QString& special) {
    IntercompRecord record;
    const double offset = static_cast<double>(setup.UtcOffsetHours) / 24.0;
    record.writtenLocal = writtenUtc - offset;
    record.setLocal = result.meanUtc - offset;
    record.type = set.directSun ? QStringLiteral("I DSGQP") : QStringLiteral("UMKEHR");
    auto take = [&set](int w, double* r, double* sd) {
        if (const auto& m = set.wavelengths[static_cast<size_t>(w)]) {
            *r = m->r;
            *sd = m->sd;
        }
    };
    take(kIcC, &record.rC, &record.sdC);
    take(kIcD, &record.rD, &record.sdD);
    take(kIcA, &record.rA, &record.sdA);
    record.sky = sky;
    record.special = special;
    return IntercompRecordLines(record, setup);
}

QString IcResultLine(const IcSet& set, const IcResult& result) {
    auto value = [](const std::optional<double>& v) {
        return v ? FormatNumber(*v, u"##0.0") : QStringLiteral("--");
    };
    return FormatDate(result.meanUtc, u"HH:MM:SS") +
           (set.directSun ? QStringLiteral(" DS ") : QStringLiteral(" ZenSky ")) +
           QStringLiteral("AD: ") + value(result.ad) + QStringLiteral(" CD: ") + value(result.cd);
}

} // namespace quillon
