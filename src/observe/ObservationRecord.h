// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "observe/ObservationDriver.h"
#include "observe/SkyConditions.h"
#include "records/DayFile.h"
#include "station/Services.h"

namespace quillon {

// The accepted observation as its OBS record, made at instrument
// temperature `temperature`.
ObsRecord MakeObsRecord(const StationSetup& setup, double temperature, const ObservationRun& run,
                        const SkySelection& sky, DateTimeValue utcNow);

// Writes an accepted observation: the OBS record, then the observer's
// comment (initials, ":" and the text), then the day's summary lines are
// brought up to date. False when the record could not be written (the
// operator has been told).
bool RecordObservation(Services& services, const ObservationRun& run, const SkySelection& sky,
                       const QString& commentText);

// The comment written before an observation made without an encoder.
bool WriteFakeObservationComment(Services& services);

} // namespace quillon
