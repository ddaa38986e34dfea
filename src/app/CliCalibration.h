// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/StationState.h"
#include "util/OperatorMessages.h"

#include <QStringList>

namespace quillon::cli {

// The calibration commands of quillon-cli, for scripted and remote
// maintenance: the Q setting table, a mercury test jotted down on paper,
// the Q-table review and its adjustment. Each returns the exit code.
int QTableCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int HgTestCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int QReviewCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
int QAdjustCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);
// One intercomparison set recomputed from its wavelengths' times and readings.
int IcSetCommand(StationState& vars, OperatorMessages& messages, const QStringList& args);

} // namespace quillon::cli
