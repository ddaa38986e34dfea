// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/ArchiveSite.h"
#include "config/Calibration.h"
#include "config/StationSetup.h"
#include "util/OperatorMessages.h"
#include "util/Result.h"

namespace quillon {

// The archive server used when CallHome.cfg is missing.
inline constexpr const char* kDefaultArchiveUrl = "FTP://127.0.0.1/";
inline constexpr const char* kDefaultArchiveUser = "K5sndr";
inline constexpr const char* kDefaultArchivePassword = "mika_rpt";

// The configuration readers, called once each in this order at start-up:
// disc.cfg names the directory of all others, and the instrument number
// from inst.cfg names the N-table and lamp correction files. A mandatory
// file or item that cannot be used fails the reader with the operator's
// "Fatal File Error" text ("Error #53:DIR:INST.CFG", the reason, "System
// is stopped") as its message; its kind tells a missing file from a bad one.
Result<void> ReadDirectories(StationSetup& setup);
Result<void> ReadInstrument(StationSetup& setup, Calibration& calibration,
                            OperatorMessages& messages);
// The parts of ReadInstrument that hold the calibration, from setup.ConfigDir
// for setup.InstrumentId: the N-table, and the lamp corrections (0.0, with
// the operator told, when the file is absent).
Result<void> ReadNTable(const StationSetup& setup, Calibration& calibration);
Result<void> ReadLampCorrections(const StationSetup& setup, Calibration& calibration,
                                 OperatorMessages& messages);
Result<void> ReadStation(StationSetup& setup);
// The archive site of CallHome.cfg in `configDir`, with its start-up
// comment ("New Ftp Site Defined" or "Using K5Sndr site") that the caller
// appends to the day file. Never fails: an unusable file gives a site with
// its error, and no transfer is tried.
ArchiveSite ReadArchiveSite(const QString& configDir);

// The directories, the instrument and the station in order.
// `setup.HomeDir` must be set first.
Result<void> ReadConfiguration(StationSetup& setup, Calibration& calibration,
                               OperatorMessages& messages);

} // namespace quillon
