// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/screens/ObservationFlow.h"

#include "observe/ObservationSession.h"
#include "observe/screens/ObsScreen.h"

namespace quillon {

bool SetupObservation(Services& services, const QString& type, int& readingsCount,
                      QWidget* parent) {
    ObsScreen screens(services, parent);
    ObservationSession session(services, screens);
    screens.SetSession(&session);
    const bool ready = session.Setup(type);
    readingsCount = session.ReadingsCount();
    return ready;
}

void RunObservationSession(Services& services, const QString& type, QWidget* parent) {
    ObsScreen screens(services, parent);
    ObservationSession session(services, screens);
    screens.SetSession(&session);
    session.Run(type);
}

} // namespace quillon
