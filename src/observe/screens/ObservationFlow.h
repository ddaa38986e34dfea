#pragma once

#include "station/Services.h"

class QWidget;

namespace quillon {

// The set-up of vars.ObsType: the focused-sun warning, the encoder sanity
// read, the initials and temperature screens with the type's instructions.
// False when the operator escaped (vars.DialogChoice is then 1).
bool SetupObservation(Services& services, int& readingsCount, QWidget* parent);

// One observation session from the main menu: set-up, the observation
// screen, and any further types the operator chooses from it.
void RunObservationSession(Services& services, const QString& type, QWidget* parent);

} // namespace quillon
