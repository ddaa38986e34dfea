// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/ObservationRecord.h"

#include "records/DayFile.h"
#include "records/DaySummary.h"

namespace quillon {

ObsRecord MakeObsRecord(const SharedVars& vars, const ObservationRun& run, const SkySelection& sky,
                        DateTimeValue utcNow) {
    ObsRecord r;
    r.writtenLocal = LocalStandardTime(vars, utcNow);
    r.obsLocal = LocalStandardTime(vars, run.MeanUtc());
    r.type = vars.ObsType;
    r.temperature = vars.InstrumentTemperature;
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
    const ObsRecord record = MakeObsRecord(s.vars, run, sky, s.clock.Now());
    if (!AppendDayRecord(s.vars, s.clock, ObsRecordLines(record, s.vars), s.messages)) {
        return false;
    }
    WriteCommentText(s.vars, s.clock, s.messages, commentText);
    RefreshDaySummaryLines(s.vars, s.clock, s.messages);
    return true;
}

bool WriteFakeObservationComment(Services& s) {
    return WriteCommentText(s.vars, s.clock, s.messages,
                            s.vars.ObserverInitials +
                                QStringLiteral(": Fake Observation follows."));
}

} // namespace quillon
