// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/Services.h"

class QWidget;

namespace quillon {

// The set-up of `type` on its screens (see ObservationSession::Setup).
bool SetupObservation(Services& services, const QString& type, int& readingsCount, QWidget* parent);

// One observation session from the main menu on the observation screens.
void RunObservationSession(Services& services, const QString& type, QWidget* parent);

} // namespace quillon
