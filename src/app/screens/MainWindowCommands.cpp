// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen's commands that open another screen: the comment, the
// reports, the parameters, the encoder, the WOUDC export, the mercury test
// and the exit.
#include "app/screens/MainWindow.h"

#include "app/MainScreenText.h"
#include "app/screens/WoudcDayDialog.h"
#include "calibration/screens/HgtestScreen.h"
#include "config/ParameterText.h"
#include "observe/QualityFlags.h"
#include "records/DayFile.h"
#include "records/WoudcExport.h"
#include "records/screens/SummaryScreen.h"
#include "ui/EncoderCheckScreen.h"
#include "ui/EntryScreens.h"
#include "ui/InfoScreens.h"
#include "util/Format.h"

#include <QApplication>

namespace quillon {

void MainWindow::AddComment() {
    HandOver(false, [this] {
        settings_.ObserverInitials.clear();
        if (const std::optional<QString> text = AskComment(&sounds_, this)) {
            WriteCommentText(setup_, day_, clock_, messages_, *text);
        }
    });
}

void MainWindow::ShowToday() {
    HandOver(false, [this] {
        const DateTimeValue local = LocalStandardTime(setup_, clock_.Now());
        const QString date = FormatDate(local, u"MM/DD/YYYY");
        SummaryScreen screen(setup_, day_, clock_, messages_, &sounds_, this);
        screen.ShowDay(date,
                       QStringLiteral("Summary for TODAY:") + date + QStringLiteral(" So far"));
        screen.exec();
    });
}

void MainWindow::ShowProgramInfo() {
    HandOver(false, [this] {
        ProginfoScreen screen(ProgramInfoLines(setup_, services_.calibration), this);
        screen.exec();
    });
}

void MainWindow::ShowOperParam() {
    HandOver(false, [this] { operParam_.exec(); });
}

void MainWindow::TogglePrompting() {
    const SpeedModeText text = ToggleSpeedMode(settings_);
    cmmdPrompting_->setText(text.buttonCaption);
    promptext_->setText(text.promptText);
}

void MainWindow::ResetEncoderButton() {
    timer1_.stop();
    if (const std::optional<QString> dial = logic_.ResetDial()) {
        lblDispRpos_->setText(*dial);
    } else if (setup_.EncoderInUse) {
        return; // the counter failed: the program is ending
    }
    timer1_.start(1000);
}

void MainWindow::ExportWoudc() {
    const QString today = FormatDate(LocalStandardTime(setup_, clock_.Now()), u"MM/DD/YYYY");
    WoudcDayDialog ask(today, this);
    if (ask.exec() != QDialog::Accepted) {
        return;
    }
    WoudcLeaveOut leaveOut;
    if (ask.LeaveOutFlagged()) {
        const Result<WoudcLeaveOut> flagged = LeaveOutFlaggedFor(setup_, services_.calibration);
        if (!flagged) {
            messages_.Show(flagged.error().message, QStringLiteral("WOUDC file"));
            return;
        }
        leaveOut = *flagged;
    }
    const Result<WoudcWritten> written =
        ExportWoudcDayOf(setup_, ask.DateText(), clock_.Now(), setup_.DataDir, leaveOut);
    if (!written) {
        messages_.Show(written.error().message, QStringLiteral("WOUDC file"));
        return;
    }
    QStringList text = {QStringLiteral("Written: ") + written->path};
    if (!written->leftOut.isEmpty()) {
        text << QStringLiteral("Left out:") << written->leftOut;
    }
    messages_.Show(text.join(u'\n'), QStringLiteral("WOUDC file"));
}

void MainWindow::RunMercuryTest() {
    HandOver(true, [this] {
        HgtestScreen screen(services_, this);
        screen.Run();
        ShowSummaryLines();
    });
}

void MainWindow::CheckEncoderEntry() {
    HandOver(false, [this] { CheckEncoder(services_.encoder, services_.sounds, this); });
}

void MainWindow::ExitProgram() {
    timer1_.stop();
    RunExitSequence(services_, transferAction_);
    exiting_ = true;
    QApplication::closeAllWindows();
    QApplication::quit();
}

} // namespace quillon
