#include "observe/ObservationRecord.h"

#include "records/DayFile.h"
#include "records/DaySummary.h"
#include "util/Format.h"

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
    s.vars.CommentText = commentText;
    WriteComment(s.vars, s.clock, s.messages);
    s.vars.CommentText.clear();
    SummaryTexts texts;
    texts.cdZenith = s.vars.SummaryCDZenith;
    SumToDay(s.vars, s.clock, FormatDate(LocalStandardTime(s.vars, s.clock.Now()), u"MM/DD/YYYY"),
             SummaryDetail::Brief, s.vars.DataDir, texts, s.messages);
    s.vars.SummaryADDS = texts.adds;
    s.vars.SummaryADZenith = texts.adZenith;
    s.vars.SummaryCDDS = texts.cdds;
    s.vars.SummaryCDZenith = texts.cdZenith;
    return true;
}

bool WriteFakeObservationComment(Services& s) {
    s.vars.CommentText = s.vars.ObserverInitials + QStringLiteral(": Fake Observation follows.");
    const bool ok = WriteComment(s.vars, s.clock, s.messages);
    s.vars.CommentText.clear();
    return ok;
}

} // namespace quillon
