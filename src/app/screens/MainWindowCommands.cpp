// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen's commands that open another screen: the comment, the
// reports, the parameters, the encoder, the WOUDC export, the mercury test
// and the exit.
#include "app/screens/MainWindow.h"

#include "app/MainScreenText.h"
#include "calibration/screens/HgtestScreen.h"
#include "config/ParameterText.h"
#include "records/DayFile.h"
#include "records/WoudcExport.h"
#include "records/screens/SummaryScreen.h"
#include "ui/EncoderCheckScreen.h"
#include "ui/EntryScreens.h"
#include "ui/InfoScreens.h"
#include "util/Format.h"

#include <QApplication>
#include <QInputDialog>

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
    if (setup_.EncoderInUse) {
        encoder_.ResetEncoder();
        const Result<double> r = encoder_.ReadEncoder(0.2);
        if (!r) {
            encoder_.ReportFailure(r.error());
            return;
        }
        lblDispRpos_->setText(FormatNumber(*r, u"###.0"));
    }
    timer1_.start(1000);
}

void MainWindow::ExportWoudc() {
    const QString today = FormatDate(LocalStandardTime(setup_, clock_.Now()), u"MM/DD/YYYY");
    bool ok = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("WOUDC file of a day"),
                                               QStringLiteral("Local date (MM/DD/YYYY):"),
                                               QLineEdit::Normal, today, &ok);
    if (!ok) {
        return;
    }
    DateTimeValue date = 0;
    if (!ParseMdy(text, &date)) {
        messages_.Show(text + QStringLiteral(" is not a date of the form MM/DD/YYYY."),
                       QStringLiteral("WOUDC file"));
        return;
    }
    const Result<QString> path = ExportWoudcDay(setup_, date, clock_.Now(), setup_.DataDir);
    messages_.Show(path ? QStringLiteral("Written: ") + *path : path.error().message,
                   QStringLiteral("WOUDC file"));
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
