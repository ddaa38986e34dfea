// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration readers on mutated files: the first byte picks the file
// (disc.cfg, inst.cfg, station.cfg, ntable, lampcorr, Cloud.txt,
// CallHome.cfg), the rest is its text. Every outcome is a loaded station or
// the fatal file error; nothing may hang, crash or read out of bounds, and
// every number loaded is finite.
#include "FuzzStation.h"
#include "config/GetInfo.h"
#include "station/StationState.h"
#include "util/OperatorMessages.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static quillon::fuzz::FuzzStation station;
    static const char* const files[] = {"disc.cfg",     "inst.cfg",  "station.cfg", "ntable.061",
                                        "lampcorr.061", "Cloud.txt", "CallHome.cfg"};
    if (size == 0) {
        return 0;
    }
    const QString name = QString::fromLatin1(files[data[0] % 7]);
    const QByteArray text(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    station.Write(name == QLatin1String("disc.cfg") ? name : QStringLiteral("config/") + name,
                  text);
    quillon::StationState vars;
    vars.setup.HomeDir = station.Home();
    quillon::fuzz::SilentMessages messages;
    const quillon::Result<void> read =
        quillon::ReadConfiguration(vars.setup, vars.calibration, messages);
    if (read) {
        if (!std::isfinite(vars.setup.Latitude) || !std::isfinite(vars.setup.UtcOffsetHours) ||
            !std::isfinite(vars.calibration.LampCorr[0]) ||
            !std::isfinite(vars.calibration.NTable[29][2])) {
            std::abort();
        }
    } else if (read.error().message.isEmpty()) {
        std::abort(); // every refusal names its file and reason
    }
    if (name == QLatin1String("disc.cfg")) {
        station.Write(name, "config\r\ndata\r\nhistory\r\n");
    } else {
        station.Restore(name);
    }
    return 0;
}
