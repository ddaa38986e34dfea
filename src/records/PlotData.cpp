// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PlotData.h"

#include "records/WholeRecords.h"

#include "util/DateTimeValue.h"
#include "util/ItemReader.h"
#include "util/TextFile.h"

#include <QRegularExpression>
#include <cmath>

namespace quillon {

const char* DayPlot::ClassName(int c) {
    static const char* const names[4] = {"ADDS", "CDDS", "AD zenith", "CD zenith"};
    return names[c];
}

int DayPlot::ClassOf(const QString& type) {
    const QString prefix = type.left(3);
    return prefix == QLatin1String("ADD")   ? 0
           : prefix == QLatin1String("CDD") ? 1
           : prefix == QLatin1String("ADZ") ? 2
           : prefix == QLatin1String("CDZ") ? 3
                                            : -1;
}

DayPlot DayPlotData(const DayFileContents& contents) {
    DayPlot out;
    for (const DayObservation& obs : contents.observations) {
        const int c = DayPlot::ClassOf(obs.type);
        const double ozone = obs.values[5];
        if (c < 0 || !std::isfinite(ozone) || ozone <= 0) {
            continue; // no class, or no ozone calculated
        }
        const double hours = obs.time.left(2).toInt() + obs.time.mid(2, 2).toInt() / 60.0 +
                             obs.time.mid(4, 2).toInt() / 3600.0;
        out.classes[static_cast<size_t>(c)]
            << OzonePoint{hours, ozone, obs.values[6], obs.values[4], obs.time};
    }
    for (int c = 0; c < 4; ++c) {
        const auto& points = out.classes[static_cast<size_t>(c)];
        double sum = 0;
        for (const OzonePoint& p : points) {
            sum += p.ozone;
        }
        out.means[static_cast<size_t>(c)] = points.isEmpty() ? 0.0 : sum / points.size();
    }
    return out;
}

DayPlot DayPlotOfFile(const QString& path, const QString& stationName) {
    const Result<QString> read = ReadTextFile(path, kMaxDayFileBytes);
    if (!read) {
        return {};
    }
    const QString& text = *read;
    const QStringList lines = SplitLines(text);
    DateTimeValue date = 0;
    if (lines.size() < 3 || !ParseMdy(ItemReader(lines[2]).Next().value_or(QString()), &date)) {
        return {};
    }
    DayPlot plot = DayPlotData(ReadDayFile(path, stationName, date));
    plot.date = date;
    return plot;
}

QList<HgPoint> HgHistoryPoints(const QString& historyPath) {
    QList<HgPoint> out;
    const Result<QString> read = ReadTextFile(historyPath);
    if (!read) {
        return out;
    }
    const QString& text = *read;
    const QStringList lines = SplitLines(text);
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const RecordSpan& span : RecordSpans(lines, 0, HgHistoryRecordLines)) {
        if (span.count == 0) {
            continue; // cut short: the next record is read afresh
        }
        const qsizetype i = span.first;
        DateTimeValue date = 0;
        const QStringList last = lines[i + 3].split(blanks, Qt::SkipEmptyParts);
        bool ok = last.size() >= 3 && ParseMdy(lines[i].section(u',', 1, 1), &date);
        const double difference = ok ? last[2].toDouble(&ok) : 0.0;
        if (ok && std::isfinite(difference)) {
            out << HgPoint{date, lines[i].section(u',', 2, 2).trimmed(), difference,
                           std::fabs(difference) >= 0.3 - 1e-9};
        }
    }
    return out;
}

QList<LampPoint> LampHistoryPoints(const QString& historyPath) {
    QList<LampPoint> out;
    const Result<QString> read = ReadTextFile(historyPath);
    if (!read) {
        return out;
    }
    const QString& text = *read;
    const QStringList lines = SplitLines(text);
    for (const RecordSpan& span : RecordSpans(lines, 0, LampHistoryRecordLines)) {
        if (span.count == 0) {
            continue; // cut short: the next record is read afresh
        }
        const qsizetype i = span.first;
        ItemReader first(lines[i]);
        first.Next(); // "STDLAMP"
        LampPoint point;
        bool ok = ParseMdy(first.Next().value_or(QString()), &point.date);
        point.time = first.Next().value_or(QString());
        point.lamp = first.Next().value_or(QString());
        // "Test Average: " then A and C run together, then C' and D, each
        // "000.0": five characters a value.
        const QString line4 = lines[i + 3];
        const qsizetype at = line4.indexOf(QLatin1String("Test Average: "));
        ok = ok && at >= 0;
        const QString values = ok ? line4.mid(at + 14) : QString();
        const int offsets[4] = {0, 5, 12, 19};
        for (int k = 0; ok && k < 4; ++k) {
            const double v = values.mid(offsets[k], 5).toDouble(&ok);
            ok = ok && std::isfinite(v);
            point.averages[static_cast<size_t>(k)] = v;
        }
        if (ok) {
            out << point;
        }
    }
    return out;
}

} // namespace quillon
