// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainTimerLogic.h"

#include "app/MainScreenText.h"
#include "astro/AstroFunctions.h"
#include "observe/Guidance.h"
#include "records/DayFile.h"
#include "util/Format.h"

#include <cmath>

namespace quillon {

MainTimerLogic::MainTimerLogic(Services& services) : s_(services) {}

TickDisplay MainTimerLogic::Clocks() {
    TickDisplay out;
    const StationSetup& setup = s_.setup;
    const DateTimeValue now = s_.clock.Now();
    const DateTimeValue local = LocalStandardTime(setup, now);
    if (std::floor(local) != s_.day.LocalDate) {
        out.newDay = true;
        out.headline = NewDayHeadline(setup, now);
        s_.day.LocalDate = std::floor(local);
        OpenDayFile(setup, s_.day, s_.clock, s_.messages);
        // The new day file begins with the calibration it is made with.
        WriteProvenanceComment(setup, s_.day, s_.calibration, s_.clock, s_.messages);
    }
    out.utcText = FormatDate(now, u"HH:MM:SS");
    out.lstText = FormatDate(local, u"HH:MM:SS");
    out.localDateText = FormatDate(local, u"DD MMM YYYY");
    out.mu = SunMu(setup, now);
    out.muText = out.mu > 0 ? FormatNumber(out.mu, u"##.000") : QStringLiteral("No Sun");
    const int range = MuRangeFor(out.mu);
    if (range != 0 && range != muRange_) {
        muRange_ = range;
        out.changedRange = range;
    }
    return out;
}

bool MainTimerLogic::Tick(MainScreenView& view) {
    BusyGate::Hold hold(s_.gate, QStringLiteral("the dial read"));
    const TickDisplay display = Clocks();
    if (display.newDay) {
        // The operator sees the new day before the transfer starts.
        view.ShowHeadline(display.headline);
        view.ShowSummaryLines();
        if (newDayAction_) {
            newDayAction_();
        }
    }
    view.ShowClocks(display);
    if (view.DialReadingWanted() && s_.setup.EncoderInUse) {
        const Result<double> r = s_.encoder.ReadEncoder(0.2);
        if (!r) {
            s_.encoder.ReportFailure(r.error());
            return false;
        }
        ++readCount_;
        view.ShowDial(FormatNumber(*r, u"###.0"), readCount_);
    } else {
        view.ShowDial(QStringLiteral("NoEnc"), readCount_);
    }
    if (display.changedRange != 0) {
        view.ApplyGuidance(display.changedRange);
    }
    return true;
}

std::optional<QString> MainTimerLogic::ResetDial() {
    if (!s_.setup.EncoderInUse) {
        return std::nullopt;
    }
    s_.encoder.ResetEncoder();
    const Result<double> r = s_.encoder.ReadEncoder(0.2);
    if (!r) {
        s_.encoder.ReportFailure(r.error());
        return std::nullopt;
    }
    return FormatNumber(*r, u"###.0");
}

void RunExitSequence(Services& s, const std::function<void()>& transfer) {
    BusyGate::Hold hold(s.gate);
    if (s.messages.AskYesNo(
            QStringLiteral("Do you wish to let the program attempt to transfer files before Exit?"),
            QStringLiteral("Press Yes to Transfer files and exit -- No to just exit.")) &&
        transfer) {
        BusyGate::Hold transferring(s.gate, QStringLiteral("the transfer"));
        transfer();
    }
    s.encoder.ClosePort();
}

} // namespace quillon
