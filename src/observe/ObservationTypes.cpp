// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/ObservationTypes.h"

#include "observe/Guidance.h"
#include "ozone/OzoneCalc.h"
#include "util/Format.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

const QStringList kTimed = {
    "This is a TIMED observation.", "You must make the observation in concert with the computer.",
    "ONCE THE OBSERVATION STARTS, THE SYSTEM EXPECTS YOU TO BE READY WHEN IT IS",
    "You can change to OBSERVER control under menu stYle (Alt+Y) in Obs Driver."};
const QStringList kPrompted = {
    "This is an Observer prompted observation.",
    "You, the operator, control the speed of the Observation.",
    "The length of the observation should not exceed 3 minutes",
    "You can change to COMPUTER control in the menu stYle (Alt+Y) in Obs Driver."};
const QStringList kAdPrompted = {
    "The observation sequence is A:D:A:D:A.",
    "There will be a 5 second  countdown after you prompt the computer",
    "to start each measurement", "Check the sun spot placement before the second A.",
    "Each Measurement is 15 seconds long."};
const QStringList kCdPrompted = {
    "The observation sequence is C:D:C:D:C.",
    "There will be a 5 second  countdown after you prompt the computer",
    "to start the measurement",
    "Check the sun spot placement before the second C.",
    "Each Measurement is 15 seconds long.",
    "Use the Auxilary C stops for best results"};
const QStringList kAdTimedSun = {
    "The observation sequence is A:D:A:D:A.",
    "There will be a 5 second countdown for the first A and a 10 second countdown",
    "between the measurements, except for a 15 second countdown",
    "before the second A so you can check the sun spot placement.",
    "Each Measurement is 15 seconds long."};
const QStringList kFiDifficult = {
    "This is a difficult observation -- Unless you are very experienced with",
    "Focused Image Observations, chose Prompted observations in the main menu."};
const QStringList kFiOptics = {"Move the lens up to the UV focus position",
                               "Remove the GQP - Place the Sun image on the entrance slit"};
const QStringList kMoon = {"This observation is very difficult and should be attempted only",
                           "after practice.  The point of maximum sensitivity on the entrance slit",
                           "should have been determined from focused sun observations.",
                           "The observation will be of the Prompted type, where you tell the",
                           "Computer when to start the measurement.",
                           "Each measurement will be 30 seconds long after a 10 second countdown.",
                           "Move the Lens up in the Periscope to the UV focus.",
                           "Remove the GQP."};

QStringList FiPrompted(const QString& pair) {
    QStringList lines = {pair == QLatin1String("AD") ? "The observation sequence is A:D:A:D:A."
                                                     : "The observation sequence is C:D:C:D:C.",
                         "There will be a 5 second  countdown after you prompt the computer",
                         "to start each measurement",
                         "Check the sun spot placement before each measurement.",
                         "Each Measurement is 15 seconds long."};
    if (pair == QLatin1String("CD")) {
        lines << "Use the Auxilary C stops for best results.";
    }
    return lines;
}

QStringList Trial(const QString& pair) {
    if (pair == QLatin1String("AD")) {
        return {"Make a trial ob. to determine the correct PMT sensitivity",
                " and R-dial reading at the A and the D Q-settings"};
    }
    if (pair == QLatin1String("CD")) {
        return {"Make a trial observation to determine the correct PMT sensitivity and",
                "to discover where the R-dial will be at the C and the D Q-settings."};
    }
    return {"Make a trial observation to find the correct PMT sensitivity and ",
            "where the R-dial will be at the Rod IN and Rod OUT positions"};
}

QString Sky(const QString& target) {
    return target == QLatin1String("ZB") ? QStringLiteral("on the Clear Zenith.")
                                         : QStringLiteral("on the Cloudy Zenith.");
}

} // namespace

bool IsKnownObservationType(const QString& type) {
    const QList<ObservationEntry>& entries = ObservationEntries();
    return std::any_of(entries.begin(), entries.end(), [&type](const ObservationEntry& entry) {
        return type == QLatin1String(entry.code);
    });
}
QString PairOf(const QString& type) {
    return type.left(2).toUpper();
}
QString TargetOf(const QString& type) {
    return type.mid(2, 2).toUpper();
}
bool IsMoonType(const QString& type) {
    return TargetOf(type) == QLatin1String("RM");
}
bool IsFocusedSunType(const QString& type) {
    return type == QLatin1String("ADDSFI") || type == QLatin1String("CDDSFI");
}
QString FirstLetter(const QString& type) {
    return type.left(1);
}
QString SecondLetter(const QString& type) {
    return PairOf(type) == QLatin1String("CC") ? QStringLiteral("C'") : QStringLiteral("D");
}

namespace {

// How the instrument is set up for the target, as the temperature screen
// says first.
QStringList TargetSetUp(const QString& target) {
    if (target == QLatin1String("DS")) {
        return {"Point the instrument to the sun with the shadow of the periscope",
                "parallel to the long axis of the instrument with the sun on the right."};
    }
    if (target == QLatin1String("ZB") || target == QLatin1String("ZC")) {
        return {"Remove the GQP and open the Zenith hatch Completely",
                "Position Dobson to point as best as possible to Sun"};
    }
    if (target == QLatin1String("RM")) {
        return {kMoon};
    }
    return {};
}

// The sequence of a zenith observation of the AD or CD pair.
QStringList ZenithSequence(const QString& pair, bool timed) {
    const bool ad = pair == QLatin1String("AD");
    QStringList in;
    in << (timed ? kTimed : kPrompted)
       << (ad ? "The observation sequence is A:D:A:D:A."
              : "The observation sequence is C:D:C:D:C.");
    if (timed) {
        if (ad) {
            in << "There will be a 5 second countdown for the first A and a 10 second countdown"
               << "between the measurements.";
        } else {
            in << "There will be a 5 second countdown for the first C "
               << "and a 10 second countdown between the measurements.";
        }
    } else {
        in << "There will be a 5 second  countdown after you prompt the computer"
           << (ad ? "to start the measurement" : "to start the measurement.");
    }
    in << "Each Measurement is 15 seconds long.";
    return in;
}

// The direct-sun types' initials lines and their temperature lines after
// the set-up.
void DirectSunLines(const QString& type, bool timed, double muNow, QStringList& in,
                    QStringList& temp) {
    const QString pair = PairOf(type);
    if (type == QLatin1String("ADDSGQP")) {
        in << "ADDSGQP Observation Uses A and D Wavelengths on "
           << "the direct sun with GQP in place.";
        in << (timed ? kTimed + kAdTimedSun : kPrompted + kAdPrompted);
        temp << (muNow < 1.15 ? "GQP must be in place, and the lens removed from the Periscope."
                              : "GQP must be in place");
    } else if (type == QLatin1String("CDDSGQP")) {
        in << "CDDSGQP Observation Uses C and D Wavelengths on "
           << "the direct sun with GQP in place.";
        in << (timed ? kTimed : kPrompted) << kCdPrompted;
    } else { // focused sun
        in << (pair == QLatin1String("AD")
                   ? "A and D Wavelength Pairs using the focused image of the Sun"
                   : "C and D Wavelength Pairs using the focused image of the Sun")
           << "Experiment will help determine the most sensitive spot along the slit.";
        if (timed) {
            in << kTimed.mid(0, 3) << kFiDifficult
               << (pair == QLatin1String("AD") ? kAdTimedSun : kCdPrompted);
        } else {
            in << kPrompted << FiPrompted(pair);
        }
        temp << kFiOptics;
    }
    temp << Trial(pair);
}

} // namespace

ObservationInstructions InstructionsFor(const QString& type, bool timed, double muNow) {
    ObservationInstructions out;
    out.initialsCaption = type + QStringLiteral(" Observation information -- Enter Initials");
    out.temperatureCaption =
        QStringLiteral("Input Instrument Temperature for ") + type + QStringLiteral(" Obs.");
    if (!IsKnownObservationType(type)) {
        out.initialsLines = {"Observation:", type, "Not Recognized",
                             "Press Okay to return to Main Menu."};
        return out;
    }
    const QString pair = PairOf(type);
    const QString target = TargetOf(type);
    QStringList& in = out.initialsLines;
    QStringList& temp = out.temperatureLines;
    temp = TargetSetUp(target);
    if (target == QLatin1String("DS")) {
        DirectSunLines(type, timed, muNow, in, temp);
        return out;
    }
    if (pair == QLatin1String("AD") && target != QLatin1String("RM")) {
        in << type + " Observation uses A and D Wavelengths" << Sky(target)
           << ZenithSequence(pair, timed);
    } else if (pair == QLatin1String("CD") && target != QLatin1String("RM")) {
        in << type + (target == QLatin1String("ZB")
                          ? " Uses C and D Wavelengths on the Clear Zenith."
                          : " Uses C and D Wavelengths on the Cloudy Zenith.")
           << "This is an Experimental observation at Vesk Sites." << ZenithSequence(pair, timed);
    } else if (pair == QLatin1String("CC")) {
        in << type + " Observation uses the C and C' wavelengths" << Sky(target);
        in << (timed ? kTimed : kPrompted);
        in << "The Sequence is C:C':C:C':C"
           << "The C' measurement is with the Q-levers set for C, but with the"
           << "Wavelength selector rod (right rod) IN"
           << "Each Measurement is 15 seconds long.";
    } else { // the moon
        in << type + " Observation Information"
           << (pair == QLatin1String("AD")
                   ? "Using A and D wavelengths using the focused image of the Full Moon."
                   : "Using C and D wavelengths using the focused image of the Full Moon.");
        in << kMoon;
    }
    temp << Trial(pair);
    return out;
}

bool NeedsFocusedSunWarning(const QString& type, double latitude) {
    return IsFocusedSunType(type) && std::fabs(latitude) < 50.0;
}

QString FocusedSunWarningCaption(const QString& type) {
    return PairOf(type) == QLatin1String("AD")
               ? QStringLiteral("A and D Wavelength Pairs using the focused image of the Sun.")
               : QStringLiteral("C and D Wavelength Pairs using the focused image of the Sun.");
}

QStringList FocusedSunWarningLines(const QString& stationName) {
    return {"Careful, this is a difficult observation!", stationName,
            "Is lower than 50 Degrees Latitude.",
            "Focused Sun observations are not normally used at stations south of 50 degrees "
            "north or north of 50 degrees south latitude.  The sun's movement during the "
            "observation does not allow reliable measurement."};
}

QStringList MoreobsTypes(double mu) {
    // By the main screen's own ranges (one table of bands and their edges);
    // the screen after an observation offers its own types in them.
    switch (MuRangeFor(mu)) {
    case 2:
        return {"CDDSFI", "CDZB", "CDZC"};
    case 3:
        return {"CCZB", "CCZC", "CDZB", "CDZC", "ADDSFI", "CDDSFI"};
    case 4:
    case 5:
        return {"ADDSGQP", "CDDSGQP", "ADZB", "CCZB", "CCZC", "ADDSFI", "CDDSFI", "CDZB", "CDZC"};
    case 6:
        return {"ADDSGQP", "CDDSGQP", "ADZB", "ADZC", "CCZB", "CCZC", "CDZB", "CDZC"};
    case 7:
        return {"ADDSGQP", "CDDSGQP", "ADZB", "ADZC", "CCZB", "CCZC"};
    case 8:
        return {"ADDSGQP", "CCZB", "CCZC"};
    default:
        return {}; // the sun down, too high, or in a gap between ranges
    }
}

QSettingsText ShowQSettings(const Calibration& calibration, const QString& pair, double t) {
    QSettingsText out;
    out.temperature =
        QStringLiteral("Instr. Temp. ") + FormatNumber(t, u"##.0") + QStringLiteral(" DgsC");
    out.message = QStringLiteral("When set to make the measurement - Press any Key");
    auto q = [](double v) { return FormatNumber(v, u"##.0"); };
    if (pair == QLatin1String("CD")) {
        out.firstMessage =
            QStringLiteral(" Start with the Q-levers set to the `C' Wavelength stops");
        out.q1Labels = {"Set C Q1 stop to:", "Set D Q1 stop to:"};
        out.q1Values = {q(QSetC(calibration, t)), q(QSetD(calibration, t))};
        out.q2Labels = {"Set C Q2 stop to:", "Set D Q2 stop to:"};
        out.q2Values = {q(calibration.Q15C), q(calibration.Q15D)};
        out.readingLabels = {"First C:", "Second C:", "Third C:", "First D:", "Second D:"};
    } else if (pair == QLatin1String("CC")) {
        out.firstMessage = QStringLiteral(
            "Start with the Q-levers set to the `C' Wavelength -- Right Selector Rod OUT");
        out.q1Labels = {"Set C Q1 stop to:"};
        out.q1Values = {q(QSetC(calibration, t))};
        out.q2Labels = {"Set C Q2 stop to:"};
        out.q2Values = {q(calibration.Q15C)};
        out.readingLabels = {"First C:", "Second C:", "Third C:", "First C':", "Second C':"};
    } else {
        out.firstMessage =
            QStringLiteral(" Start with the Q-levers set to the `A' Wavelength stops");
        out.q1Labels = {"Set A Q1 stop to:", "Set D Q1 stop to:"};
        out.q1Values = {q(QSetA(calibration, t)), q(QSetD(calibration, t))};
        out.q2Labels = {"Set A Q2 stop to:", "Set D Q2 stop to:"};
        out.q2Values = {q(calibration.Q15A), q(calibration.Q15D)};
        out.readingLabels = {"First A:", "Second A:", "Third A:", "First D:", "Second D:"};
    }
    return out;
}

QString ObservationHeading(const StationSetup& setup, const QString& type, DateTimeValue utcNow) {
    return type + QStringLiteral(" Observation With D.") + setup.InstrumentId +
           QStringLiteral(" at ") + setup.StationCode + QStringLiteral(" on ") +
           FormatDate(utcNow, u"DD MMM YYYY") + QStringLiteral("(UTC)");
}

} // namespace quillon
