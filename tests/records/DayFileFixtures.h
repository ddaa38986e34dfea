// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hand-made day files and histories that the records tests read and draw.
#include <QByteArray>
#include <utility>

namespace quillon::test {

inline QByteArray DayWithObservations() {
    return "\"Boulder, Colorado\"\r\nDobson,61 \r\n03/24/2006\r\n08:00:00\r\n" +
           QByteArray(70, '=') + "\r\n" +
           "OBS,03/24/2006,093000,ADDSGQP,23.0, 123.5, 45.6,0.3, 2.000,300.0,1.2\r\n"
           " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 093000 03 06\r\n"
           "OBS,03/24/2006,120000,ADDSGQP,23.0, 123.5, 45.6,0.3, 1.500,310.0,2.0\r\n"
           " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 120000 03 06\r\n"
           "OBS,03/24/2006,130000,CDZC,23.0, 123.5, 45.6,0.3, 1.600,290.0,3.0\r\n"
           " 170.0 170.0 170.0 080.0 080.0CDZC    24 130000 03 06\r\n"
           "OBS,03/24/2006,140000,CCZB,23.0, 0.0, 0.0,0.3, 1.800,-99.9,-9.9\r\n"
           " 170.0 170.0 170.0 080.0 080.0CCZB    24 140000 03 06\r\n";
}

inline QByteArray HgHistory() {
    QByteArray out;
    for (const auto& [date, diff] :
         {std::pair{"03/01/2006", " 00.10"}, std::pair{"03/08/2006", " 00.30"},
          std::pair{"03/15/2006", "-00.45"}}) {
        out += QByteArray("HGLAMP,") + date + ",10:00:00,  20.0, 21.0\r\n  78.0 \r\n  70.6 \r\n" +
               "   74.30   74.00   " + diff + "  24 Mar 2006\r\n";
    }
    return out;
}

inline QByteArray LampHistory() {
    return "\"STDLAMP\",\"03/01/2006\",\"10:00:00\",\"L1\",20\r\n x\r\n x\r\n"
           "Test Average: 150.5140.5  129.5  120.0   Std Dev: 000.1000.1  000.1  000.1  \r\n"
           "\"STDLAMP\",\"03/20/2006\",\"10:00:00\",\"L1\",20\r\n x\r\n x\r\n"
           "Test Average: 151.0141.0  130.0  120.5   Std Dev: 000.1000.1  000.1  000.1  \r\n";
}

// A day of 7 April 2007 for the other-days tests: its header and an OBS record.
inline QByteArray Header(const char* date) {
    return QByteArray("\"Boulder, Colorado\"\r\nDobson,61 \r\n") + date + "\r\n12:00:00\r\n" +
           QByteArray(70, '=') + "07Apr06:Carddatefixed\r\n";
}

inline QByteArray Obs(const char* time, const char* type, const char* mu, const char* ozone,
                      const char* spread) {
    return QByteArray("OBS,04/07/2007,") + time + "," + type + ",23.0, 123.5, 45.6,0.3, " + mu +
           "," + ozone + "," + spread + "\r\n 170.0 170.0 170.0 080.0 080.0" + type + " 07 " +
           time + " 04 07\r\n";
}

} // namespace quillon::test
