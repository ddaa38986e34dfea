// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/DayFileReader.h"

#include <QList>
#include <QString>
#include <array>

namespace quillon {

// What the plots draw, read from the day file and the lamp histories; the
// chart code only draws it.

struct OzonePoint {
    double lstHours = 0; // local standard time of the observation
    double ozone = 0;
    double spread = 0;
    double mu = 0;
    QString time; // "HHMMSS" as recorded: the observation's own key
};

// A day's ozone by class: ADDS, CDDS, AD zenith, CD zenith (only ozone
// that was calculated), with each class's mean (0 when empty).
struct DayPlot {
    std::array<QList<OzonePoint>, 4> classes;
    std::array<double, 4> means{};
    DateTimeValue date = 0; // the day file's date (its third line)
    static const char* ClassName(int c);
    // The class of an observation type, -1 for none (C/C', moon, ...).
    static int ClassOf(const QString& type);
};
DayPlot DayPlotData(const DayFileContents& contents);
// The plot of a day file of any date (the date its third line gives); an
// empty plot for a file that is missing or refused.
DayPlot DayPlotOfFile(const QString& path, const QString& stationName);

struct HgPoint {
    double date = 0; // day count
    QString time;    // "HH:MM:SS" as recorded
    double difference = 0;
    bool outOfBand = false; // |difference| of 0.3 or more
};
// Every mercury test of the history, oldest first.
QList<HgPoint> HgHistoryPoints(const QString& historyPath);

struct LampPoint {
    double date = 0;
    QString time; // "HH:MM:SS" as recorded
    QString lamp;
    std::array<double, 4> averages{}; // A, C, C', D
};
// Every standard lamp test of the history, oldest first.
QList<LampPoint> LampHistoryPoints(const QString& historyPath);

} // namespace quillon
