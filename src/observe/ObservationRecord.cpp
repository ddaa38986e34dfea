// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/ObservationRecord.h"

#include "records/DayFile.h"
#include "records/DaySummary.h"

namespace quillon {

ObsRecord MakeObsRecord(const StationSetup& setup, double temperature, const ObservationRun& run,
                        const SkySelection& sky, DateTimeValue utcNow) {
    ObsRecord r;
    r.writtenLocal = LocalStandardTime(setup, utcNow);
    r.obsLocal = LocalStandardTime(setup, run.MeanUtc());
    r.type = run.type;
    r.temperature = temperature;
    r.n1 = run.result.n1;
    r.n2 = run.result.n2;
    r.spread = run.result.spread;
    r.mu = run.result.mu;
    r.ozone = run.result.ozone;
    r.ozoneSpread = run.result.ozoneSpread;
    r.readings = {run.first[0], run.first[1], run.first[2], run.second[0], run.second[1]};
    r.sky = {sky.sky, sky.height, sky.thickness, sky.texture};
    r.special = sky.special;
    return r;
}

bool RecordObservation(Services& s, const ObservationRun& run, const SkySelection& sky,
                       const QString& commentText) {
    const ObsRecord record =
        MakeObsRecord(s.setup, s.settings.InstrumentTemperature, run, sky, s.clock.Now());
    if (!AppendDayRecord(s.setup, s.day, s.clock, ObsRecordLines(record, s.setup), s.messages)) {
        return false;
    }
    WriteCommentText(s.setup, s.day, s.clock, s.messages, commentText);
    RefreshDaySummaryLines(s.setup, s.day, s.clock, s.messages);
    return true;
}

bool WriteFakeObservationComment(Services& s) {
    return WriteCommentText(s.setup, s.day, s.clock, s.messages,
                            s.settings.ObserverInitials +
                                QStringLiteral(": Fake Observation follows."));
}

} // namespace quillon
