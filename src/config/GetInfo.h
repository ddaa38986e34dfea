// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/SharedVars.h"
#include "util/OperatorMessages.h"

namespace quillon {

// The archive server used when CallHome.cfg is missing.
inline constexpr const char* kDefaultArchiveUrl = "FTP://127.0.0.1/";
inline constexpr const char* kDefaultArchiveUser = "K5sndr";
inline constexpr const char* kDefaultArchivePassword = "mika_rpt";

// The configuration readers, called once each in this order at start-up:
// disc.cfg names the directory of all others, and the instrument number
// from inst.cfg names the N-table and lamp correction files. A mandatory
// file or item that cannot be used throws FatalFileError.
void ReadDirectories(SharedVars& vars);
void ReadInstrument(SharedVars& vars, OperatorMessages& messages);
// The parts of ReadInstrument that hold the calibration, from vars.ConfigDir
// for vars.InstrumentId: the N-table, and the lamp corrections (0.0, with
// the operator told, when the file is absent).
void ReadNTable(SharedVars& vars);
void ReadLampCorrections(SharedVars& vars, OperatorMessages& messages);
void ReadStation(SharedVars& vars);
// Sets CommentText to the start-up comment ("New Ftp Site Defined" or
// "Using K5Sndr site"); the caller appends it to the day file.
void ReadArchiveSite(SharedVars& vars);

// All four in order. `vars.HomeDir` must be set first.
void ReadConfiguration(SharedVars& vars, OperatorMessages& messages);

} // namespace quillon
