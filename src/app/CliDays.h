// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/StationState.h"
#include "util/OperatorMessages.h"

#include <QStringList>

namespace quillon::cli {

// The commands of quillon-cli on day files: a day's summary, its WOUDC file,
// the list of day files, the day's plan, its quality flags and the reprocessing of day files
// with another calibration. Each returns the exit code.
int SummaryCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int WoudcCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int DaysCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int PlanCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int FlagsCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int ReprocessCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);

} // namespace quillon::cli
