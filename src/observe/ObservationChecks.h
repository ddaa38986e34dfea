// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"

#include <QStringList>
#include <array>
#include <optional>

namespace quillon {

// A warning screen that stops an observation: which screen, its caption
// and its fixed text.
struct ObservationWarning {
    QString screen;  // "largeStdDev", "NegOzone", "Unlkly", "Exvar"
    QString title;   // the screen's caption
    QString caption; // the line naming the readings or the value
    QStringList lines;
    QString button;
};

// Large deviation of one reading series: limits 1.0 (GQP), 2.0 (ZB),
// 2.5 (ZC), 3.0 (FI).
std::optional<ObservationWarning> CheckStdDev(const QString& type, double mean, double sd,
                                              const QString& letter);

// The first pair read backwards (first wavelength not above the second).
// For C/C' only while the sun's mu is below 3.5.
std::optional<ObservationWarning> CheckReversed(const QString& type, double first1, double second1,
                                                double muNow);

// Provisional ozone from the first reading of each wavelength at `utc`,
// and whether it is out of range (above 700 DU anywhere; below 175 DU
// north of 55 degrees south).
double ProvisionalOzone(const StationSetup& setup, const Calibration& calibration,
                        const QString& type, double first1, double second1, DateTimeValue utc);
std::optional<ObservationWarning> CheckOzoneRange(double ozone, double latitude);

// Variation within the observation: the largest difference among the three
// first readings and between the two second readings; limits 5 and 3, half
// as much again for cloudy zenith; none for the moon.
std::optional<ObservationWarning> CheckVariation(const QString& type,
                                                 const std::array<double, 3>& first,
                                                 const std::array<double, 2>& second);

} // namespace quillon
