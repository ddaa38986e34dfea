#include "app/MainTimerLogic.h"

#include "app/Guidance.h"
#include "app/MainScreenText.h"
#include "astro/AstroFunctions.h"
#include "records/DayFile.h"
#include "util/Format.h"

#include <cmath>

namespace quillon {

MainTimerLogic::MainTimerLogic(SharedVars& vars, const Clock& clock, OperatorMessages& messages)
    : vars_(vars), clock_(clock), messages_(messages) {}

TickDisplay MainTimerLogic::Tick() {
    TickDisplay out;
    const DateTimeValue now = clock_.Now();
    const DateTimeValue local = LocalStandardTime(vars_, now);
    if (std::floor(local) != vars_.LocalDate) {
        out.newDay = true;
        out.headline = NewDayHeadline(vars_, now);
        vars_.LocalDate = std::floor(local);
        OpenDayFile(vars_, clock_, messages_);
        if (newDayAction_) {
            newDayAction_();
        }
    }
    out.utcText = FormatDate(now, u"HH:MM:SS");
    out.lstText = FormatDate(local, u"HH:MM:SS");
    out.localDateText = FormatDate(local, u"DD MMM YYYY");
    out.mu = SunMu(vars_, now);
    out.muText = out.mu > 0 ? FormatNumber(out.mu, u"##.000") : QStringLiteral("No Sun");
    const int range = MuRangeFor(out.mu);
    if (range != 0 && range != muRange_) {
        muRange_ = range;
        out.changedRange = range;
    }
    return out;
}

} // namespace quillon
