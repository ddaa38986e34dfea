// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/DayPlan.h"

#include "astro/AstroFunctions.h"
#include "observe/Guidance.h"
#include "util/Format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace quillon {

namespace {

// Seconds between samples of the day: every range lasts longer than this
// except at the top of a day whose sun barely rises, where bisection still
// finds the first change inside the step.
constexpr int kStep = 20;

DateTimeValue UtcOf(const StationSetup& setup, DateTimeValue localDate, int second) {
    return localDate + second / 86400.0 + static_cast<double>(setup.UtcOffsetHours) / 24.0;
}

int RangeAt(const StationSetup& setup, DateTimeValue localDate, int second) {
    return MuRangeFor(SunMu(setup, UtcOf(setup, localDate, second)));
}

QStringList EntriesOf(int range) {
    const QStringList offered = GuidanceFor(range).entries;
    QStringList inMenuOrder;
    for (const ObservationEntry& entry : ObservationEntries()) {
        const QString code = QString::fromLatin1(entry.code);
        if (offered.contains(code)) {
            inMenuOrder << code;
        }
    }
    return inMenuOrder;
}

} // namespace

QString PlanClock(int seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

DayPlan PlanDay(const StationSetup& setup, DateTimeValue localDate) {
    DayPlan plan;
    // The range as the main screen holds it: a gap between ranges (0)
    // keeps the one before; at midnight it is whatever the sun gives then.
    int held = RangeAt(setup, localDate, 0);
    for (int s = 1; held == 0 && s < 86400; ++s) {
        held = RangeAt(setup, localDate, s); // a midnight inside a gap
    }
    auto heldAt = [&](int second, int previous) {
        const int range = RangeAt(setup, localDate, second);
        return range == 0 ? previous : range;
    };
    PlanInterval current{0, 0, held, EntriesOf(held)};
    for (int s = 0; s < 86400; s += kStep) {
        const int next = std::min(s + kStep, 86399);
        if (heldAt(next, current.range) == current.range) {
            continue;
        }
        // The first second of the new range, within (s, next].
        int lo = s;
        int hi = next;
        while (hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            (heldAt(mid, current.range) == current.range ? lo : hi) = mid;
        }
        current.endSecond = hi;
        plan.intervals << current;
        const int range = heldAt(hi, current.range);
        current = PlanInterval{hi, 0, range, EntriesOf(range)};
    }
    current.endSecond = 86400;
    plan.intervals << current;

    // Solar noon: the smallest zenith angle, by minute, then to the second.
    int best = 0;
    double smallest = 1e9;
    for (int s = 0; s < 86400; s += 60) {
        const double z = SunZenithAngle(setup, UtcOf(setup, localDate, s));
        if (z < smallest) {
            smallest = z;
            best = s;
        }
    }
    for (int s = std::max(0, best - 60); s <= std::min(86399, best + 60); ++s) {
        const double z = SunZenithAngle(setup, UtcOf(setup, localDate, s));
        if (z < smallest) {
            smallest = z;
            best = s;
        }
    }
    plan.solarNoonSecond = best;
    plan.lowestMu = SunMu(setup, UtcOf(setup, localDate, best));
    return plan;
}

int PlanIntervalAt(const DayPlan& plan, int second) {
    for (qsizetype i = 0; i < plan.intervals.size(); ++i) {
        const PlanInterval& interval = plan.intervals[i];
        if (second >= interval.startSecond && second < interval.endSecond) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QList<TypeWindows> PlanTypeWindows(const DayPlan& plan) {
    QList<TypeWindows> out;
    for (const PlanInterval& interval : plan.intervals) {
        for (const QString& type : interval.entries) {
            auto it = std::find_if(out.begin(), out.end(),
                                   [&type](const TypeWindows& w) { return w.type == type; });
            if (it == out.end()) {
                out.append({type, {}});
                it = out.end() - 1;
            }
            // An interval that follows on from the last window lengthens it.
            if (!it->windows.isEmpty() && it->windows.last().second == interval.startSecond) {
                it->windows.last().second = interval.endSecond;
            } else {
                it->windows.append({interval.startSecond, interval.endSecond});
            }
        }
    }
    return out;
}

QStringList PlanText(const DayPlan& plan) {
    QStringList lines;
    for (const PlanInterval& i : plan.intervals) {
        lines << PlanClock(i.startSecond) + u'-' + PlanClock(i.endSecond) +
                     QStringLiteral("  range ") + QString::number(i.range) + QStringLiteral("  ") +
                     (i.entries.isEmpty() ? QStringLiteral("none") : i.entries.join(u','));
    }
    lines << QStringLiteral("Solar noon ") + PlanClock(plan.solarNoonSecond) +
                 QStringLiteral(", lowest mu ") + FormatNumber(plan.lowestMu, u"#0.000");
    return lines;
}

QByteArray PlanJson(const DayPlan& plan, const QString& station, DateTimeValue localDate) {
    QJsonArray intervals;
    for (const PlanInterval& i : plan.intervals) {
        intervals.append(
            QJsonObject{{QStringLiteral("start"), PlanClock(i.startSecond)},
                        {QStringLiteral("end"), PlanClock(i.endSecond)},
                        {QStringLiteral("range"), i.range},
                        {QStringLiteral("entries"), QJsonArray::fromStringList(i.entries)}});
    }
    const QJsonObject out{
        {QStringLiteral("station"), station},
        {QStringLiteral("date"), FormatDate(localDate, u"YYYY-MM-DD")},
        {QStringLiteral("intervals"), intervals},
        {QStringLiteral("solar_noon"), PlanClock(plan.solarNoonSecond)},
        {QStringLiteral("lowest_mu"), FormatNumber(plan.lowestMu, u"#0.000").toDouble()}};
    return QJsonDocument(out).toJson(QJsonDocument::Compact);
}

int PlanSecondNow(const StationSetup& setup, DateTimeValue localDate, DateTimeValue utcNow) {
    const DateTimeValue local = LocalStandardTime(setup, utcNow);
    if (std::floor(local) != localDate) {
        return -1;
    }
    return std::clamp(static_cast<int>(std::floor((local - localDate) * 86400.0 + 1e-6)), 0, 86399);
}

QList<MuPoint> MuThroughTheDay(const StationSetup& setup, DateTimeValue localDate, int stepSeconds,
                               double muShown) {
    QList<MuPoint> out;
    for (int second = 0; second <= 86400; second += stepSeconds) {
        const double m = SunMu(setup, UtcOf(setup, localDate, second));
        if (m > 0 && m <= muShown) {
            out << MuPoint{second, m};
        }
    }
    return out;
}

} // namespace quillon
