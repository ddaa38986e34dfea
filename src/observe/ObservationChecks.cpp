// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/ObservationChecks.h"

#include "observe/ObservationTypes.h"
#include "ozone/OzoneCalc.h"
#include "util/Format.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

const char* const kSunSpot =
    "The sun spot should be centered side-to-side, front-to-back at the meantime of the "
    "observation.  This means that it must be slighty off center at the start of the "
    "observation, and the sun's movement will move the spot to the center halfway through the "
    "observation.  The ability to set the spot to do this comes with experimentation and "
    "experience.";
const char* const kSensitivity =
    "The sensitivity should be high enough that needle in the microammeter is SLIGHTLY "
    "unstable.  The sensitivity is always greater for the A (or C) than the D in AD (or CD) "
    "obs., and always greater for the C' (Rod in) in CC' obs.  Make a trial ob. to determine "
    "this before starting the actual ob.";

QString Tenths(double v) {
    return FormatNumber(v, u"###.#");
}

} // namespace

std::optional<ObservationWarning> CheckStdDev(const QString& type, double mean, double sd,
                                              const QString& letter) {
    double limit = 0;
    if (type.endsWith(QLatin1String("QP"))) {
        limit = 1.0;
    } else if (type.endsWith(QLatin1String("ZB"))) {
        limit = 2.0;
    } else if (type.endsWith(QLatin1String("ZC"))) {
        limit = 2.5;
    } else if (type.endsWith(QLatin1String("FI"))) {
        limit = 3.0;
    } else {
        return std::nullopt;
    }
    if (sd <= limit) {
        return std::nullopt;
    }
    return ObservationWarning{
        "largeStdDev",
        "Large Standard Deviation",
        "This " + letter + " Reading:" + Tenths(mean) + " Standard Deviation:" + Tenths(sd),
        {"This measurement has an unacceptable large variation.  Several possible reasons for "
         "this are:",
         ">> Sunspot on GQP drifted off -- Direct Sun Observation.",
         ">> R-dial was not at balance point (Microammeter zero) at start of measurement.",
         ">> Sensitivity is too low.", kSunSpot, kSensitivity,
         "Start the measurement before the encoder starts reading the R-dial position.  If you "
         "find that there is not enough time to switch Q-lever positions between measurements -- "
         "Use the observer prompted observation style -- Change under 'Style' Menu."},
        "Restart observation"};
}

std::optional<ObservationWarning> CheckReversed(const QString& type, double first1, double second1,
                                                double muNow) {
    const QString pair = PairOf(type);
    QString caption;
    if (pair == QLatin1String("AD") && first1 <= second1) {
        caption = "A reading: " + Tenths(first1) + " < or = Than D reading: " + Tenths(second1);
    } else if (pair == QLatin1String("CD") && first1 <= second1) {
        caption = "C reading: " + Tenths(first1) + " Less Than D reading: " + Tenths(second1);
    } else if (pair == QLatin1String("CC") && second1 <= first1 && muNow < 3.5) {
        caption = "C reading: " + Tenths(first1) + " Less Than C' reading: " + Tenths(second1);
    } else {
        return std::nullopt;
    }
    return ObservationWarning{
        "NegOzone",
        "Reversed readings -- Negative Ozone",
        caption,
        {"The measurements are backwards.  The A and C are ALWAYS greater than the D.  Possible "
         "reasons include:",
         "You are starting with the Q-levers in the wrong position -- A's on top, C's in the "
         "middle, and D's on the bottom.",
         "Encoder is not zeroed correctly.  Turn R-dial to zero.  On the counter, press `RESET', "
         "then press `COUNTER 1'.",
         "The Selector rods on the lower left are in the wrong positions.  The left rod must be "
         "always fully in.  The right rod is fully out for all measurements but C'.",
         "One type of observation (AD or CD) was selected, but another (CC') is being performed."},
        "Press SpaceBar to restart observation"};
}

double ProvisionalOzone(const StationSetup& setup, const Calibration& calibration,
                        const QString& type, double first1, double second1, DateTimeValue utc) {
    const QString pair = PairOf(type);
    const QString target = TargetOf(type);
    const bool ad = pair == QLatin1String("AD");
    const double n = RtoN(calibration, ad ? kWavelengthA : kWavelengthC, first1) -
                     RtoN(calibration, kWavelengthD, second1);
    if (target == QLatin1String("DS")) {
        return ad ? OzoneAD(setup, n, utc).ozone : OzoneCD(setup, n, utc).ozone;
    }
    return ad ? OzoneADZenith(setup, n, target, utc).ozone : OzoneCDZenith(setup, n, utc).ozone;
}

std::optional<ObservationWarning> CheckOzoneRange(double ozone, double latitude) {
    if (!(ozone > 700 || (ozone < 175 && latitude > -55))) {
        return std::nullopt;
    }
    return ObservationWarning{
        "Unlkly",
        "Calculated Ozone Out of Range",
        "Calculated Ozone: " + FormatNumber(ozone, u"######.#"),
        {"The calculated ozone is well out of the expected range.  Possible reasons are:",
         "You selected one type of observation, but actually performed another.",
         "The computer time is very far off -- Check the time.  Should be LST, referenced to "
         "WWV, +/- 7 seconds.",
         "The encoder is not properly zeroed.  Turn R-dial to zero.  On the counter, press "
         "`RESET', then press `COUNTER 1'."},
        "Press Spacebar to Restart Observation"};
}

std::optional<ObservationWarning> CheckVariation(const QString& type,
                                                 const std::array<double, 3>& first,
                                                 const std::array<double, 2>& second) {
    if (IsMoonType(type)) {
        return std::nullopt;
    }
    const double s1 = *std::max_element(first.begin(), first.end()) -
                      *std::min_element(first.begin(), first.end());
    const double s2 = std::fabs(second[0] - second[1]);
    const double factor = TargetOf(type) == QLatin1String("ZC") ? 1.5 : 1.0;
    // Compared on tenths of a dial unit, the readings' own resolution, so
    // that 104.9 - 100.0 is 4.9 and not 4.9000000000000057.
    auto over = [](double spread, double limit) {
        return std::round(spread * 1e6) > std::round(limit * 1e6);
    };
    if (!over(s1, 5.0 * factor) && !over(s2, 3.0 * factor)) {
        return std::nullopt;
    }
    return ObservationWarning{
        "Exvar",
        "Excessive variation in observation.",
        QString(),
        {"This observation is too variable for the type and mu value.  Possible reasons are:",
         ">> Sunspot not positioned correctly -- Direct Sun Observation.", kSunSpot,
         ">> Improper Sensitivity.", kSensitivity},
        "Press Spacebar to redo Observation"};
}

} // namespace quillon
