// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/DateTimeValue.h"

#include <QString>
#include <array>

namespace quillon {

inline constexpr const char* kVersionTag = "07Apr06:Carddatefixed";
inline constexpr int kRevision = 1;

// The records every screen shares for the whole run: directories, station,
// instrument, archive site and the working values through which screens hand
// results to each other. One instance, created by the program and passed by
// reference; touched only on the screen thread.
struct SharedVars {
    // Directories and devices (disc.cfg). Each directory ends in a separator.
    QString HomeDir;
    QString ConfigDir;
    QString DataDir;
    QString HistoryDir;
    QString EncoderPort;
    bool EncoderInUse = false;

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

    // Instrument (inst.cfg, N-table, lamp corrections).
    double InstrumentNumber = 0;
    QString InstrumentId;
    double TempCoeff = 0;
    double Q15A = 0;
    double Q15C = 0;
    double Q15D = 0;
    double Q15Hg = 0;
    QString QTableDate;
    QString LastHgTest = QStringLiteral("UNKNOWN");
    QString LastStdTest = QStringLiteral("UNKNOWN");
    QString NTableDate;
    // Row r (0-based) is R = 10 r; columns A, C, D.
    std::array<std::array<double, 3>, 30> NTable{};
    QString LampCorrDate;
    QString LampCorrLamp;
    // Index 0..3 in the file's order A, C, C', D.
    std::array<double, 4> LampCorr{};

    // Site coefficients (Cloud.txt).
    std::array<double, 28> CloudCoef1{};
    std::array<double, 10> CloudCoef2{};

    // Archive site (CallHome.cfg).
    QString ArchiveUrl;
    QString ArchiveSiteError; // why CallHome.cfg gives no usable site (no transfer then)
    // CallHome.cfg holds the archive password: set when other users of the
    // computer may read it.
    QString ArchiveSiteWarning;
    QString ArchiveUser;
    QString ArchivePassword;

    // Working values.
    DateTimeValue LocalDate = 0;
    QString ObsType;
    QString ObserverInitials;
    QString CommentText;
    int DialogChoice = 0;
    int ComputerTimed = 1;
    int AudioPrompts = 1;
    QString EncoderError;
    int FileErr = 0;
    bool AbortFlag = false;
    qint64 DayFileLength = 0;
    double InstrumentTemperature = 0;

    // The day's summary lines shown on the main screen: ADDS, AD zenith,
    // CDDS, CD zenith.
    QString SummaryADDS;
    QString SummaryADZenith;
    QString SummaryCDDS;
    QString SummaryCDZenith;
};

// The instrument's file suffix: the number as text, with one "0" in front
// when it is below 99 (8 gives "08", 83 "083", 99 "99", 105 "105").
QString InstrumentIdFor(double instrumentNumber);

// Local standard time of a UTC clock value.
DateTimeValue LocalStandardTime(const SharedVars& vars, DateTimeValue utc);

} // namespace quillon
