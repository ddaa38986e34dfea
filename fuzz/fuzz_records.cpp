// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of the other files of records on mutated files: the first
// byte picks the reader (mercury history, lamp history, reference lamps,
// woudc.cfg with the export of a day, the CDA file before a set is
// appended, the day-file list with the other-days summary), the rest is the
// file. Nothing may hang, crash or read out of bounds; every value read is
// finite, and every record skipped is named.
#include "FuzzStation.h"
#include "calibration/QTable.h"
#include "calibration/StandardLampTest.h"
#include "config/GetInfo.h"
#include "intercomparison/IntercomparisonSeries.h"
#include "records/DayFile.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "records/PlotData.h"
#include "records/WoudcExport.h"
#include "station/StationState.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <cmath>
#include <cstdlib>

namespace {
void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static quillon::fuzz::FuzzStation station;
    if (size == 0) {
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1,
                           static_cast<qsizetype>(size - 1));
    static quillon::StationState loaded = [] {
        quillon::StationState vars;
        vars.setup.HomeDir = station.Home();
        quillon::fuzz::SilentMessages quiet;
        if (!quillon::ReadConfiguration(vars.setup, vars.calibration, quiet)) {
            std::abort();
        }
        return vars;
    }();
    quillon::StationState vars = loaded;
    quillon::fuzz::SilentMessages messages;
    quillon::fuzz::FixedClock clock;
    switch (data[0] % 6) {
    case 0: {
        station.Write(QStringLiteral("history/hghist.061"), bytes);
        const QString path = station.Home() + QStringLiteral("history/hghist.061");
        const quillon::HgHistory history = quillon::ReadHgHistory(path);
        Check(history.count >= 0 && history.last.size() <= 3);
        for (const auto& entry : history.last) {
            Check(std::isfinite(entry.difference));
        }
        for (const quillon::HgPoint& p : quillon::HgHistoryPoints(path)) {
            Check(std::isfinite(p.difference) && std::isfinite(p.date));
        }
        break;
    }
    case 1: {
        station.Write(QStringLiteral("history/lamphist.061"), bytes);
        const QString path = station.Home() + QStringLiteral("history/lamphist.061");
        for (const quillon::LampPoint& p : quillon::LampHistoryPoints(path)) {
            for (const double v : p.averages) {
                Check(std::isfinite(v));
            }
        }
        break;
    }
    case 2: {
        station.Write(QStringLiteral("config/reflmps.061"), bytes);
        for (const quillon::ReferenceLamp& lamp : quillon::ReadReferenceLamps(vars.setup).lamps) {
            Check(!lamp.name.isEmpty());
            for (const double v : lamp.values) {
                Check(std::isfinite(v) && v >= 0.0 && v <= 300.0);
            }
        }
        break;
    }
    case 3: {
        station.Write(QStringLiteral("config/woudc.cfg"), bytes);
        const quillon::Result<quillon::WoudcStation> woudc = quillon::ReadWoudcStation(vars.setup);
        if (woudc) {
            // Whatever the file held, the name made of it stays one name.
            Check(!woudc->agency.contains(u'/') && !woudc->model.contains(u'/'));
            const quillon::Result<quillon::WoudcWritten> path = quillon::ExportWoudcDay(
                vars.setup, 38800.0, 38800.5, station.Home() + QStringLiteral("data/"));
            Check(path.ok() || !path.error().message.isEmpty());
        }
        station.Write(QStringLiteral("config/woudc.cfg"), QByteArray());
        break;
    }
    case 4: {
        // An existing CDA file, then a set appended to it.
        station.Write(QStringLiteral("data/CDAobs06083.061"), bytes);
        quillon::IcSet set;
        set.scheduledUtc = 38800.5;
        set.wavelengths[quillon::kIcC] = quillon::IcMeasurement{38800.5, 150.0, 0.2};
        const quillon::IcResult result = quillon::ComputeIcSet(vars.setup, vars.calibration, set);
        quillon::WriteIcSet(vars.setup, vars.day, clock, messages, set, result,
                            QStringLiteral("C "), QStringLiteral("     "));
        // The day file the set also went to starts empty again next time.
        QFile::resize(
            quillon::DayFilePath(vars.setup, quillon::LocalStandardTime(vars.setup, clock.Now())),
            0);
        break;
    }
    default: {
        // A day file of another directory: the list, then its summary.
        const QString dir = station.Home() + QStringLiteral("history/");
        station.Write(QStringLiteral("history/D06083.999"), bytes);
        const quillon::DayFileList list =
            quillon::ListDayFiles(dir, QStringLiteral("999"), vars.setup.StationName);
        Check(list.entries.size() <= 1);
        // The list and the day's reader take and refuse the same files.
        const quillon::DayFileContents read =
            quillon::ReadDayFile(dir + QStringLiteral("D06083.999"), vars.setup.StationName,
                                 quillon::DateSerial(2006, 3, 24));
        if (!list.unreadable.isEmpty()) {
            Check(read.status != quillon::DayFileStatus::Ok);
        }
        if (!list.entries.isEmpty() && list.entries[0].date == QLatin1String("03/24/2006")) {
            Check(read.status == quillon::DayFileStatus::Ok);
        }
        quillon::SummaryTexts texts;
        quillon::SumAday(vars.setup, clock, QStringLiteral("03/24/2006"),
                         quillon::SummaryDetail::Full, dir, texts, messages);
        break;
    }
    }
    return 0;
}
