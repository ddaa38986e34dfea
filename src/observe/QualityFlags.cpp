// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/QualityFlags.h"

#include "config/ConfigFile.h"
#include "config/LampTests.h"
#include "records/DayFile.h"
#include "records/PlotData.h"
#include "util/Format.h"
#include "util/ItemReader.h"
#include "util/TextFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

bool DirectSun(const QString& type) {
    return type == QLatin1String("ADDSGQP") || type == QLatin1String("CDDSGQP") ||
           type == QLatin1String("ADDSFI") || type == QLatin1String("CDDSFI");
}

bool Zenith(const QString& type) {
    return type.size() >= 4 && type.mid(2, 1) == QLatin1String("Z");
}

// Moon and C/C' observations carry no ozone (-99.9): no ozone flags.
bool HasOzone(const DayObservation& obs) {
    return (DirectSun(obs.type) || Zenith(obs.type)) && !obs.type.startsWith(QLatin1String("CC")) &&
           obs.values[5] > 0;
}

// The four classes of the day's summary: AD and CD direct sun, AD and CD
// zenith; -1 for none.
int OzoneClass(const QString& type) {
    if (DirectSun(type)) {
        return type.startsWith(QLatin1String("AD")) ? 0 : 1;
    }
    if (Zenith(type) && !type.startsWith(QLatin1String("CC"))) {
        return type.startsWith(QLatin1String("AD")) ? 2 : 3;
    }
    return -1;
}

double SecondsOfDay(const QString& hhmmss) {
    return hhmmss.mid(0, 2).toInt() * 3600.0 + hhmmss.mid(2, 2).toInt() * 60.0 +
           hhmmss.mid(4, 2).toInt();
}

QString HourMinute(const QString& hhmmss) {
    return hhmmss.mid(0, 2) + u':' + hhmmss.mid(2, 2);
}

// The last test at or before `when`, as inst.cfg would hold it.
QString LastTestBefore(const QList<DateTimeValue>& dates, DateTimeValue when) {
    DateTimeValue last = -1;
    for (const DateTimeValue d : dates) {
        if (d <= when && d > last) {
            last = d;
        }
    }
    return last < 0 ? QStringLiteral("UNKNOWN") : FormatDate(last, u"MM/DD/YYYY");
}

double Median(QList<double> values) {
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

Result<QualityLimits> ReadQualityLimits(const QString& configDir) {
    QualityLimits limits;
    const QString path = ResolveFileName(configDir, QStringLiteral("quality.cfg"));
    if (!QFileInfo::exists(path)) {
        return limits;
    }
    const Result<QString> read = ReadTextFile(path, kMaxConfigFileBytes);
    if (!read) {
        return Error{ErrorKind::Station, path + QStringLiteral(": ") + read.error().message};
    }
    struct Item {
        const char* name;
        double QualityLimits::*value;
    };
    static const Item items[] = {
        {"spread_sun", &QualityLimits::spreadSun},
        {"spread_zenith", &QualityLimits::spreadZenith},
        {"airmass_sun", &QualityLimits::airmassSun},
        {"airmass_zenith", &QualityLimits::airmassZenith},
        {"adcd_percent", &QualityLimits::adcdPercent},
        {"outlier_percent", &QualityLimits::outlierPercent},
        {"ozone_low", &QualityLimits::lowestOzone},
        {"ozone_high", &QualityLimits::highestOzone},
    };
    const QStringList lines = SplitLines(*read);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
        const QStringList fields = lines[i].split(separators, Qt::SkipEmptyParts);
        if (fields.isEmpty()) {
            continue;
        }
        const QString* name = &fields[0];
        const QString where = path + QStringLiteral(": line %1: ").arg(i + 1);
        const auto item = std::find_if(std::begin(items), std::end(items), [&](const Item& it) {
            return name->compare(QLatin1String(it.name), Qt::CaseInsensitive) == 0;
        });
        if (item == std::end(items)) {
            return Error{ErrorKind::Station,
                         where + QStringLiteral("unknown item \"") + *name + u'"'};
        }
        const QString text = fields.mid(1).join(u' ');
        double value = 0;
        if (!ParseNumberItem(text, &value) || !std::isfinite(value)) {
            return Error{ErrorKind::Station,
                         where + *name + QStringLiteral(" is not a number: \"") + text + u'"'};
        }
        if (value < 0) {
            return Error{ErrorKind::Station,
                         where + *name + QStringLiteral(" is negative: ") + text};
        }
        limits.*(item->value) = value;
    }
    if (limits.lowestOzone >= limits.highestOzone) {
        return Error{ErrorKind::Station,
                     path + QStringLiteral(": ozone_low is not below ozone_high")};
    }
    return limits;
}

LampTestDates ReadLampTestDates(const StationSetup& setup, const Calibration& calibration) {
    LampTestDates dates;
    for (const HgPoint& p :
         HgHistoryPoints(setup.HistoryDir + QStringLiteral("hghist.") + setup.InstrumentId)) {
        dates.mercury << p.date;
    }
    for (const LampPoint& p :
         LampHistoryPoints(setup.HistoryDir + QStringLiteral("lamphist.") + setup.InstrumentId)) {
        dates.standard << p.date;
    }
    DateTimeValue date = 0;
    if (ParseMdy(calibration.LastHgTest, &date)) {
        dates.mercury << date;
    }
    if (ParseMdy(calibration.LastStdTest, &date)) {
        dates.standard << date;
    }
    return dates;
}

QList<QualityFlag> ObservationFlags(const DayObservation& obs, DateTimeValue localDate,
                                    const QualityLimits& limits, const LampTestDates& tests,
                                    bool practiceDay) {
    QList<QualityFlag> flags;
    const double mu = obs.values[4];
    const double ozone = obs.values[5];
    const double spread = obs.values[6];
    if (HasOzone(obs)) {
        const bool sun = DirectSun(obs.type);
        const double spreadLimit = sun ? limits.spreadSun : limits.spreadZenith;
        if (spread > spreadLimit) {
            flags << QualityFlag{QStringLiteral("spread"),
                                 QStringLiteral("ozone spread ") + FormatNumber(spread, u"0.0") +
                                     QStringLiteral(" DU (limit ") +
                                     FormatNumber(spreadLimit, u"0.0") + u')'};
        }
        const double muLimit = sun ? limits.airmassSun : limits.airmassZenith;
        if (mu > muLimit) {
            flags << QualityFlag{QStringLiteral("airmass"),
                                 QStringLiteral("mu ") + FormatNumber(mu, u"0.000") +
                                     QStringLiteral(" (limit ") + FormatNumber(muLimit, u"0.0##") +
                                     u')'};
        }
        if (ozone < limits.lowestOzone || ozone > limits.highestOzone) {
            flags << QualityFlag{
                QStringLiteral("range"),
                QStringLiteral("ozone ") + FormatNumber(ozone, u"0.0") +
                    QStringLiteral(" DU outside ") + FormatNumber(limits.lowestOzone, u"0") + u'-' +
                    FormatNumber(limits.highestOzone, u"0") + QStringLiteral(" DU")};
        }
    }
    const DateTimeValue when = std::floor(localDate) + SecondsOfDay(obs.time) / 86400.0;
    Calibration atTheTime;
    atTheTime.LastHgTest = LastTestBefore(tests.mercury, when);
    atTheTime.LastStdTest = LastTestBefore(tests.standard, when);
    const LampTestAges ages = LampTestsDue(atTheTime, when);
    if (ages.due) {
        flags << QualityFlag{QStringLiteral("overdue"),
                             QStringLiteral("lamp tests overdue (mercury ") +
                                 LampAgeText(ages.mercury) + QStringLiteral(" days, standard ") +
                                 LampAgeText(ages.standard) + QStringLiteral(" days)")};
    }
    if (practiceDay || obs.practice) {
        flags << QualityFlag{QStringLiteral("training"),
                             practiceDay ? QStringLiteral("practice day (.999 file)")
                                         : QStringLiteral("practice observation")};
    }
    // Sky, cloud height, thickness, texture: columns 55 to 63 of line 2.
    if (Zenith(obs.type) && obs.line2.mid(54, 9).trimmed().isEmpty()) {
        flags << QualityFlag{QStringLiteral("sky"), QStringLiteral("zenith without sky codes")};
    }
    return flags;
}

QList<FlaggedObservation> DayQualityFlags(const QList<DayObservation>& observations,
                                          DateTimeValue localDate, const QualityLimits& limits,
                                          const LampTestDates& tests, bool practiceDay) {
    QList<FlaggedObservation> out;
    for (const DayObservation& obs : observations) {
        out << FlaggedObservation{obs,
                                  ObservationFlags(obs, localDate, limits, tests, practiceDay)};
    }
    // AD and CD direct sun within 30 minutes of each other: both flagged
    // when they differ by more than the limit, relative to AD.
    for (FlaggedObservation& ad : out) {
        if (OzoneClass(ad.observation.type) != 0 || !HasOzone(ad.observation)) {
            continue;
        }
        for (FlaggedObservation& cd : out) {
            if (OzoneClass(cd.observation.type) != 1 || !HasOzone(cd.observation) ||
                std::fabs(SecondsOfDay(ad.observation.time) - SecondsOfDay(cd.observation.time)) >
                    30 * 60) {
                continue;
            }
            const double a = ad.observation.values[5];
            const double c = cd.observation.values[5];
            const double percent = 100.0 * (c - a) / a;
            if (std::fabs(percent) <= limits.adcdPercent) {
                continue;
            }
            const QString reason =
                QStringLiteral("AD ") + FormatNumber(a, u"0.0") + QStringLiteral(" at ") +
                HourMinute(ad.observation.time) + QStringLiteral(", CD ") +
                FormatNumber(c, u"0.0") + QStringLiteral(" at ") + HourMinute(cd.observation.time) +
                QStringLiteral(": ") + FormatNumber(percent, u"0.00") +
                QStringLiteral(" % (limit ") + FormatNumber(limits.adcdPercent, u"0.0") + u')';
            ad.flags << QualityFlag{QStringLiteral("adcd"), reason};
            cd.flags << QualityFlag{QStringLiteral("adcd"), reason};
        }
    }
    // A class of three or more: a value far from the class's median.
    for (int c = 0; c < 4; ++c) {
        QList<double> values;
        for (const FlaggedObservation& f : out) {
            if (OzoneClass(f.observation.type) == c && HasOzone(f.observation)) {
                values << f.observation.values[5];
            }
        }
        if (values.size() < 3) {
            continue;
        }
        const double median = Median(values);
        for (FlaggedObservation& f : out) {
            if (OzoneClass(f.observation.type) != c || !HasOzone(f.observation)) {
                continue;
            }
            const double percent = 100.0 * (f.observation.values[5] - median) / median;
            if (std::fabs(percent) > limits.outlierPercent) {
                f.flags << QualityFlag{
                    QStringLiteral("outlier"),
                    QStringLiteral("ozone ") + FormatNumber(f.observation.values[5], u"0.0") +
                        QStringLiteral(" is ") + FormatNumber(percent, u"0.00") +
                        QStringLiteral(" % from the median ") + FormatNumber(median, u"0.0") +
                        QStringLiteral(" (limit ") + FormatNumber(limits.outlierPercent, u"0.0") +
                        u')'};
            }
        }
    }
    return out;
}

Result<DayQuality> ReadDayQuality(const StationSetup& setup, const Calibration& calibration,
                                  const QString& directory, DateTimeValue localDate) {
    const Result<QualityLimits> limits = ReadQualityLimits(setup.ConfigDir);
    if (!limits) {
        return limits.error();
    }
    const QString path = directory + DayFileName(setup, localDate);
    const DayFileContents contents = ReadDayFile(path, setup.StationName, localDate);
    if (contents.status != DayFileStatus::Ok) {
        return Error{ErrorKind::NotFound, contents.message.isEmpty()
                                              ? QStringLiteral("No day file ") + path
                                              : contents.message};
    }
    DayQuality out;
    const QString name = QFileInfo(path).fileName();
    for (const QString& problem : contents.problems) {
        out.problems << name + QStringLiteral(": ") + problem;
    }
    out.observations = DayQualityFlags(contents.observations, localDate, *limits,
                                       ReadLampTestDates(setup, calibration),
                                       name.endsWith(QLatin1String(".999")));
    return out;
}

QString ObservationQualityLine(const StationSetup& setup, const Calibration& calibration,
                               const DayObservation& candidate, DateTimeValue localDate) {
    const Result<QualityLimits> limits = ReadQualityLimits(setup.ConfigDir);
    if (!limits) {
        return QStringLiteral("Quality: not judged, ") + limits.error().message;
    }
    QList<DayObservation> day =
        ReadDayFile(DayFilePath(setup, localDate), setup.StationName, localDate).observations;
    day << candidate;
    const QList<FlaggedObservation> flagged =
        DayQualityFlags(day, localDate, *limits, ReadLampTestDates(setup, calibration), false);
    QList<QualityFlag> now;
    for (const QualityFlag& f : flagged.last().flags) {
        if (f.name != QLatin1String("sky") && f.name != QLatin1String("training")) {
            now << f;
        }
    }
    return now.isEmpty() ? QString()
                         : QStringLiteral("Quality: ") + FlagReasons(now) +
                               QStringLiteral("; consider repeating.");
}

QStringList LeaveOutFlagged(DayFileContents& contents, DateTimeValue localDate,
                            const QualityLimits& limits, const LampTestDates& tests,
                            bool practiceDay) {
    QStringList leftOut;
    QList<DayObservation> kept;
    for (const FlaggedObservation& f :
         DayQualityFlags(contents.observations, localDate, limits, tests, practiceDay)) {
        if (f.flags.isEmpty()) {
            kept << f.observation;
            continue;
        }
        QStringList names;
        for (const QualityFlag& flag : f.flags) {
            names << flag.name;
        }
        const QString& t = f.observation.time;
        leftOut << t.mid(0, 2) + u':' + t.mid(2, 2) + u':' + t.mid(4, 2) + u' ' +
                       f.observation.type + QStringLiteral(": ") + names.join(QStringLiteral(", "));
    }
    contents.observations = kept;
    return leftOut;
}

Result<WoudcLeaveOut> LeaveOutFlaggedFor(const StationSetup& setup,
                                         const Calibration& calibration) {
    const Result<QualityLimits> limits = ReadQualityLimits(setup.ConfigDir);
    if (!limits) {
        return limits.error();
    }
    const LampTestDates tests = ReadLampTestDates(setup, calibration);
    const bool practiceDay = !setup.EncoderInUse; // its day files end .999
    return WoudcLeaveOut(
        [limits = *limits, tests, practiceDay](DayFileContents& contents, DateTimeValue localDate) {
            return LeaveOutFlagged(contents, localDate, limits, tests, practiceDay);
        });
}

QString FlagReasons(const QList<QualityFlag>& flags) {
    QStringList reasons;
    for (const QualityFlag& f : flags) {
        reasons << f.reason;
    }
    return reasons.join(QStringLiteral("; "));
}

namespace {
QString ObservationTime(const QString& hhmmss) {
    return hhmmss.mid(0, 2) + u':' + hhmmss.mid(2, 2) + u':' + hhmmss.mid(4, 2);
}
} // namespace

QMap<std::pair<int, QString>, QString> FlaggedPlotPoints(const DayQuality& quality) {
    QMap<std::pair<int, QString>, QString> out;
    for (const FlaggedObservation& f : quality.observations) {
        const int c = DayPlot::ClassOf(f.observation.type);
        if (c >= 0 && !f.flags.isEmpty()) {
            out.insert(std::make_pair(c, f.observation.time), FlagReasons(f.flags));
        }
    }
    return out;
}

QString FlaggedLine(const FlaggedObservation& flagged) {
    const DayObservation& obs = flagged.observation;
    QStringList flags;
    for (const QualityFlag& f : flagged.flags) {
        flags << f.name + QStringLiteral(": ") + f.reason;
    }
    return ObservationTime(obs.time) + u' ' + obs.type + QStringLiteral(" mu ") +
           FormatNumber(obs.values[4], u"0.000") + QStringLiteral(" ozone ") +
           FormatNumber(obs.values[5], u"0.0") + u' ' +
           (flags.isEmpty() ? QStringLiteral("-") : flags.join(QStringLiteral("; ")));
}

QByteArray FlaggedJson(const QList<FlaggedObservation>& day) {
    QJsonArray out;
    for (const FlaggedObservation& flagged : day) {
        QJsonArray flags;
        for (const QualityFlag& f : flagged.flags) {
            flags.append(QJsonObject{{QStringLiteral("flag"), f.name},
                                     {QStringLiteral("reason"), f.reason}});
        }
        const DayObservation& obs = flagged.observation;
        out.append(
            QJsonObject{{QStringLiteral("time"), ObservationTime(obs.time)},
                        {QStringLiteral("type"), obs.type},
                        {QStringLiteral("mu"), FormatNumber(obs.values[4], u"0.000").toDouble()},
                        {QStringLiteral("ozone"), FormatNumber(obs.values[5], u"0.0").toDouble()},
                        {QStringLiteral("flags"), flags}});
    }
    return QJsonDocument(out).toJson(QJsonDocument::Compact);
}

} // namespace quillon
