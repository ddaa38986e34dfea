// SPDX-License-Identifier: GPL-3.0-or-later
// The day-file reader and the day summary on mutated day files, and the
// torn-tail rule that cuts a file back to its whole records. Nothing may
// loop, go backwards, crash or read out of bounds; the whole-record length
// lies within the file and never cuts into its header.
#include "FuzzStation.h"
#include "records/DayFileReader.h"
#include "records/DaySummary.h"
#include "station/StationState.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static quillon::fuzz::FuzzStation station;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qint64 whole = quillon::DayFileWholeLength(bytes);
    if (whole < 0 || whole > bytes.size()) {
        std::abort();
    }
    // A record once whole stays whole: after the next append (which cuts
    // the file back to its whole records), those records and the new one
    // are all whole. Only with a whole header: a torn one is set aside
    // before any append.
    if (bytes.left(whole).count('\n') >= 5) {
        const QByteArray comment = "\"COMMENT\",\"03/24/2006\",\"12:00:00\",1\r\n\"ERROR\"\r\n";
        const QByteArray appended = bytes.left(whole) + comment;
        if (quillon::DayFileWholeLength(appended) != appended.size()) {
            std::abort();
        }
    }
    // 03/24/2006 is day 38800 of the station's day count.
    station.Write(QStringLiteral("data/D06083.999"), bytes);
    quillon::StationState vars;
    vars.setup.StationName = QStringLiteral("Boulder, Colorado");
    vars.setup.InstrumentId = QStringLiteral("061");
    vars.setup.DataDir = station.Home() + QStringLiteral("data/");
    quillon::SummaryTexts texts;
    quillon::fuzz::SilentMessages messages;
    quillon::fuzz::FixedClock clock;
    quillon::SumToDay(vars.setup, clock, QStringLiteral("03/24/2006"),
                      quillon::SummaryDetail::WithFile, vars.setup.DataDir, texts, messages);
    return 0;
}
