// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/Guidance.h"

#include <array>

namespace quillon {

const QList<ObservationEntry>& ObservationEntries() {
    static const QList<ObservationEntry> entries = {
        {"ADDSGQP", "mnADDSGQP", "ADDSGQP", "lblF1", "F1:ADDSGQP", "F1"},
        {"CDDSGQP", "mnCDDSGQP", "CDDSGQP", "lblF2", "F2:CDDSGQP", "F2"},
        {"ADZB", "mnADZB", "ADZB", "lblF3", "F3:ADZB", "F3"},
        {"ADZC", "mnADZC", "ADZC", "lblF4", "F4:ADZC", "F4"},
        {"CCZB", "mnCCZB", "CC'ZB", "lblF5", "F5:CC'ZB", "F5"},
        {"CCZC", "mnCCZC", "CC'ZC", "lblF6", "F6:CC'ZC", "F6"},
        {"CDDSFI", "mnCDDSFI", "CDDSFI", "lblF7", "F7:CDDSFI", "F7"},
        {"ADDSFI", "mnADDSFI", "ADDSFI", "lblF8", "F8:ADDSFI", "F8"},
        {"CDZB", "mnCDZB", "CDZB", "lblF9", "F9:CDZB", "F9"},
        {"CDZC", "mnCDZC", "CDZC", "lblF10", "F11:CDZC", "F11"},
        {"ADRMFI", "mnADRMFI", "ADRMFI - Moon", "", "", "Ctrl+A"},
        {"CDRMFI", "mnCDRMFI", "CDRMFI - Moon", "", "", "Ctrl+C"},
    };
    return entries;
}

int MuRangeFor(double mu) {
    if (mu < 0) {
        return 1;
    }
    if (mu > 4.4) {
        return 2;
    }
    if (mu >= 3.5) {
        return 3;
    }
    if (mu >= 3.0 && mu <= 3.4999999999) {
        return 4;
    }
    if (mu >= 2.4 && mu <= 2.999999999999) {
        return 5;
    }
    if (mu >= 1.8 && mu <= 2.399999999) {
        return 6;
    }
    if (mu >= 1.15 && mu <= 1.799999999) {
        return 7;
    }
    if (mu >= 1.015 && mu <= 1.1499999999) {
        return 8;
    }
    if (mu >= 1.0 && mu <= 1.01499999999) {
        return 9;
    }
    return 0;
}

const MuGuidance& GuidanceFor(int range) {
    static const QStringList overlap = {
        QStringLiteral("Currently in AD-CD overlap region -- "),
        QStringLiteral("Both Focused Image and GQP type observations can be made."),
        QStringLiteral("Very helpful to make multiple observations with various types.")};
    static const QStringList overlapEntries = {"ADDSGQP", "CDDSGQP", "ADZB", "CCZB", "CCZC",
                                               "ADDSFI",  "CDDSFI",  "CDZB", "CDZC"};
    static const std::array<MuGuidance, 10> table = {{
        {0, {}, {}, {}, false},
        {1,
         {QStringLiteral("The Sun Is Under the Horizon -- Only Moon Obs Possible "),
          QStringLiteral("-- Press Alt O for Menu")},
         {"ADRMFI", "CDRMFI"},
         {},
         false},
        {2,
         {QStringLiteral("Sun is low on the Horizon, Focused Sun Observations Possible"),
          QStringLiteral("-- Or Experimental CD Zenith Observations.")},
         {"CDDSFI", "CDZB", "CDZC"},
         {"CDDSFI", "CDZB", "CDZC"},
         true},
        {3,
         {QStringLiteral("The Sun is low on the Horizon, Focused Image Sun Observations"),
          QStringLiteral("or zenith observations possible.")},
         {"ADDSGQP", "CDDSGQP", "CCZB", "CCZC", "CDZB", "CDZC", "ADDSFI", "CDDSFI"},
         {"CCZB", "CCZC", "CDDSFI", "ADDSFI", "CDZB", "CDZC"},
         true},
        {4,
         overlap,
         overlapEntries,
         {"CDDSGQP", "ADZB", "CCZB", "CCZC", "CDDSFI", "ADDSFI", "CDZB", "CDZC"},
         true},
        {5,
         overlap,
         overlapEntries,
         {"ADDSGQP", "CDDSGQP", "ADZB", "CCZB", "CCZC", "CDDSFI", "ADDSFI", "CDZB", "CDZC"},
         true},
        {6,
         {QStringLiteral("Currently in the Main Observation Mu range."),
          QStringLiteral("Multiple Observations on various observation types are always useful.")},
         {"ADDSGQP", "CDDSGQP", "ADZB", "ADZC", "CCZB", "CCZC", "CDZB", "CDZC"},
         {"ADDSGQP", "CDDSGQP", "ADZB", "ADZC", "CCZB", "CCZC", "CDZB", "CDZC"},
         true},
        {7,
         {QStringLiteral("Currently in the high Sun mu range."),
          QStringLiteral("Multiple Observations on various observation types is always useful")},
         {"ADDSGQP", "CDDSGQP", "ADZB", "ADZC", "CCZB", "CCZC"},
         {"ADDSGQP", "ADZB", "ADZC", "CCZB", "CCZC"},
         true},
        {8,
         {QStringLiteral("High Sun -- for direct sun remove lens from the sun director")},
         {"ADDSGQP", "CCZB", "CCZC"},
         {"ADDSGQP", "CCZB", "CCZC"},
         true},
        {9, {QStringLiteral("Sun too high for observations")}, {}, {}, false},
    }};
    return table[static_cast<size_t>(range >= 0 && range <= 9 ? range : 0)];
}

} // namespace quillon
