#pragma once

#include "config/SharedVars.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <functional>

namespace quillon {

// What one tick of the main screen's timer decides, for the screen to show.
struct TickDisplay {
    bool newDay = false;
    QString headline; // set on a new day
    QString utcText;
    QString lstText;
    QString localDateText;
    double mu = 0;
    QString muText;       // "##.000" or "No Sun"
    int changedRange = 0; // the new range when the guidance must be rebuilt, else 0
};

// The one-second tick of the main screen, apart from the widgets and the
// encoder read: the new-day check, the clocks, mu and the mu range.
class MainTimerLogic {
public:
    MainTimerLogic(SharedVars& vars, const Clock& clock, OperatorMessages& messages);

    // Runs when the local date changes, after the new day file is opened:
    // the archive transfer is hooked in here.
    void SetNewDayAction(std::function<void()> action) { newDayAction_ = std::move(action); }

    TickDisplay Tick();

    int MuRange() const { return muRange_; }
    void ResetMuRange() { muRange_ = 0; }

private:
    SharedVars& vars_;
    const Clock& clock_;
    OperatorMessages& messages_;
    std::function<void()> newDayAction_;
    int muRange_ = 0;
};

} // namespace quillon
