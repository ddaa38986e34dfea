// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/StationState.h"
#include "util/OperatorMessages.h"

#include <QStringList>

namespace quillon::cli {

// The commands of quillon-cli on the station and its instrument: the
// parameters, the sun at a time, one observation reduced, the R-dial read
// through the counter, and the transfer of finished day files. Each
// returns the exit code.
int ParamsCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int SunCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int ReduceCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int RdialCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int SendCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);

} // namespace quillon::cli
