// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/DateTimeValue.h"

#include <QString>
#include <array>

namespace quillon {

inline constexpr const char* kVersionTag = "07Apr06:Carddatefixed";
inline constexpr int kRevision = 1;

// Where the station is and what it is made of: disc.cfg, station.cfg,
// Cloud.txt and the instrument's number. Read once at start-up and never
// changed while the program runs.
struct StationSetup {
    // Directories and devices (disc.cfg). Each directory ends in a separator.
    QString HomeDir;
    QString ConfigDir;
    QString DataDir;
    QString HistoryDir;
    QString EncoderPort;
    bool EncoderInUse = false;

    // The instrument's number (inst.cfg) and the suffix it gives every file.
    double InstrumentNumber = 0;
    QString InstrumentId;

    // Station (station.cfg).
    QString StationName;
    QString StationCode;
    int WmoNumber = 0;
    double Latitude = 0;
    double Longitude = 0; // west positive
    double Altitude = 0;
    double MeanPressure = 0;
    double EarthRadius = 0;
    double OzoneLayerHeight = 0;
    float UtcOffsetHours = 0;

    // Derived station values.
    double LatitudeRad = 0;
    double LongitudeRad = 0;
    float PressureRatio = 1;
    double LayerFactor = 0;

    // Site coefficients (Cloud.txt).
    std::array<double, 28> CloudCoef1{};
    std::array<double, 10> CloudCoef2{};
};

// The instrument's file suffix: the number as text, with one "0" in front
// when it is below 99 (8 gives "08", 83 "083", 99 "99", 105 "105").
QString InstrumentIdFor(double instrumentNumber);

// Local standard time of a UTC clock value.
DateTimeValue LocalStandardTime(const StationSetup& setup, DateTimeValue utc);

} // namespace quillon
