// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ParameterText.h"

#include "util/Format.h"

namespace quillon {

QList<LabelledValue> StationParameterLines(const StationSetup& v) {
    return {
        {QStringLiteral("Station Name:"), v.StationName},
        {QStringLiteral("Station Three letter code:"), v.StationCode},
        {QStringLiteral("Latitude:"), FormatNumber(v.Latitude, u"###.####")},
        {QStringLiteral("Longitude:"), FormatNumber(v.Longitude, u"####.####")},
        {QStringLiteral("Altitude:"), Str(v.Altitude)},
        {QStringLiteral("Mean Station Pressure:"), Str(v.MeanPressure)},
        {QStringLiteral("Time difference from UTC:"), StrSingle(v.UtcOffsetHours)},
        {QStringLiteral("Earth Radius at Station:"), Str(v.EarthRadius)},
        {QStringLiteral("Mean Height of Ozone Layer:"), Str(v.OzoneLayerHeight)},
        {QStringLiteral("WMO Station Code:"), Str(v.WmoNumber)},
    };
}

QList<LabelledValue> InstrumentParameterLines(const StationSetup& setup, const Calibration& v) {
    return {
        {QStringLiteral("Instrument Number:"), setup.InstrumentId},
        {QStringLiteral("Temperature Coeff.:"), Str(v.TempCoeff)},
        {QStringLiteral("A wavelength Pair:"), Str(v.Q15A)},
        {QStringLiteral("C Wavelength Pair:"), Str(v.Q15C)},
        {QStringLiteral("D wavelength Pair:"), Str(v.Q15D)},
        {QStringLiteral("Hg 3129 Angstrom line:"), Str(v.Q15Hg)},
        {QStringLiteral("Q table date:"), v.QTableDate},
        {QStringLiteral("Ntable Date:"), v.NTableDate},
        {QStringLiteral("Standard lamp tests Date:"), v.LampCorrDate},
        {QStringLiteral("N value adjustments from"), QString()},
        {QStringLiteral("A:"), FormatNumber(v.LampCorr[0], u"##0.0")},
        {QStringLiteral("C:"), FormatNumber(v.LampCorr[1], u"##0.0")},
        {QStringLiteral("Cprime:"), FormatNumber(v.LampCorr[2], u"##0.0")},
        {QStringLiteral("D:"), FormatNumber(v.LampCorr[3], u"##0.0")},
    };
}

QList<LabelledValue> ProgramInfoLines(const StationSetup& setup, const Calibration& v) {
    return {
        {QStringLiteral("Version Date:"), QString::fromLatin1(kVersionTag)},
        {QStringLiteral("Configuration Files Directory:"), setup.ConfigDir},
        {QStringLiteral("Data Files Directory:"), setup.DataDir},
        {QStringLiteral("History Files Directory:"), setup.HistoryDir},
        {QStringLiteral("Last Mercury Test on: "), v.LastHgTest},
        {QStringLiteral("Last Standard lamp Test on: "), v.LastStdTest},
    };
}

} // namespace quillon
