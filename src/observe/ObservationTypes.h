// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"

#include <QStringList>

namespace quillon {

// The twelve observation types: pair (letters 1-2), target (letters 3-4)
// and optics (the rest).
bool IsKnownObservationType(const QString& type);
QString PairOf(const QString& type);   // "AD", "CD", "CC"
QString TargetOf(const QString& type); // "DS", "RM", "ZB", "ZC"
bool IsMoonType(const QString& type);
bool IsFocusedSunType(const QString& type); // ADDSFI, CDDSFI
// The letters of the first and second wavelength: "A"/"C" and "D"/"C'".
QString FirstLetter(const QString& type);
QString SecondLetter(const QString& type);

// What the set-up shows on the initials and temperature screens.
struct ObservationInstructions {
    QString initialsCaption;
    QStringList initialsLines;
    QString temperatureCaption;
    QStringList temperatureLines;
};

// The instruction texts of a type for the style in force (`timed`) and the
// sun's mu now (the GQP line of ADDSGQP depends on it).
ObservationInstructions InstructionsFor(const QString& type, bool timed, double muNow);

// The focused-sun warning applies at latitudes below 50 degrees.
bool NeedsFocusedSunWarning(const QString& type, double latitude);
QString FocusedSunWarningCaption(const QString& type);
QStringList FocusedSunWarningLines(const QString& stationName);

// The types "Select another type of observation." offers at mu; empty when
// none (sun down, too high, or between bands): the caller escapes.
QStringList MoreobsTypes(double mu);

// The Q-lever part of the observation screen for a pair at temperature T.
struct QSettingsText {
    QString temperature;  // "Instr. Temp. 22.0 DgsC"
    QString firstMessage; // " Start with the Q-levers set to ..."
    QString message;      // "When set to make the measurement - Press any Key"
    QStringList q1Labels; // "Set A Q1 stop to:", "Set D Q1 stop to:"
    QStringList q1Values;
    QStringList q2Labels;
    QStringList q2Values;
    QStringList readingLabels; // "First A:", "Second A:", "Third A:", "First D:", "Second D:"
};
QSettingsText ShowQSettings(const Calibration& calibration, const QString& pair,
                            double temperature);

// The observation screen's heading line.
QString ObservationHeading(const StationSetup& setup, const QString& type, DateTimeValue utcNow);

} // namespace quillon
