// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen's menus: each entry an operator command through the
// busy gate, by its control name.
#include "app/screens/MainWindow.h"

#include "app/MainScreenText.h"
#include "calibration/screens/QTableScreens.h"
#include "calibration/screens/StandardScreen.h"
#include "intercomparison/screens/IcScreen.h"
#include "observe/Guidance.h"
#include "observe/screens/PlanWindow.h"
#include "observe/screens/QualityWindow.h"
#include "records/DayFile.h"
#include "records/screens/OtherDaysScreens.h"
#include "records/screens/PlotsWindow.h"

#include <QMenuBar>

namespace quillon {

QAction* MainWindow::AddAction(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction* MainWindow::AddCommand(QMenu* menu, const QString& name, const QString& caption,
                                const QString& command, std::function<void()> run) {
    QAction* action = AddAction(menu, name, caption);
    connect(action, &QAction::triggered, this,
            [this, command, run = std::move(run)] { Command(command, run); });
    return action;
}

void MainWindow::BuildMenu() {
    QMenuBar* bar = menuBar();
    QMenu* exitMenu = bar->addMenu(QStringLiteral("e&Xit"));
    exitMenu->setObjectName(QStringLiteral("mmuexit"));
    AddAction(exitMenu, QStringLiteral("mmuNo"), QStringLiteral("No!"));
    AddCommand(exitMenu, QStringLiteral("cmmdExit"), QStringLiteral("really e&Xit"),
               QStringLiteral("Exit"), [this] { ExitProgram(); });
    BuildObsMenu(bar);
    BuildReportsMenu(bar);
    BuildMaintenanceMenu(bar);
    QMenu* info = bar->addMenu(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("mmuInfo"));
    AddCommand(info, QStringLiteral("mnPrgInfo"), QStringLiteral("&Program Info"),
               QStringLiteral("Program Info"), [this] { ShowProgramInfo(); });
    AddCommand(info, QStringLiteral("mnOperParam"), QStringLiteral("&Operational Parameters"),
               QStringLiteral("Operational Parameters"), [this] { ShowOperParam(); });
}

void MainWindow::BuildObsMenu(QMenuBar* bar) {
    QMenu* obs = bar->addMenu(QStringLiteral("&Obs"));
    obs->setObjectName(QStringLiteral("mnuObs"));
    for (const ObservationEntry& entry : ObservationEntries()) {
        const QString code = QString::fromLatin1(entry.code);
        QAction* action =
            AddCommand(obs, QString::fromLatin1(entry.menuName), QString::fromLatin1(entry.caption),
                       code, [this, code] { StartObservation(code); });
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        obsActions_.insert(code, action);
    }
    obs->addSeparator()->setObjectName(QStringLiteral("nmSepEnd"));
    AddCommand(obs, QStringLiteral("mmuComment"), QStringLiteral("&Comment"),
               QStringLiteral("Comment"), [this] { AddComment(); });
}

void MainWindow::BuildReportsMenu(QMenuBar* bar) {
    QMenu* reports = bar->addMenu(QStringLiteral("&Reports"));
    reports->setObjectName(QStringLiteral("mnuReports"));
    AddCommand(reports, QStringLiteral("mnTODAY"), QStringLiteral("&TODAY"),
               QStringLiteral("TODAY"), [this] { ShowToday(); });
    AddCommand(reports, QStringLiteral("mnPlots"), QStringLiteral("&Plots"),
               QStringLiteral("Plots"), [this] {
                   HandOver(false, [this] {
                       PlotsWindow plots(services_, this);
                       plots.exec();
                   });
               });
    AddCommand(reports, QStringLiteral("mnPlan"), QStringLiteral("Today's Pla&n"),
               QStringLiteral("Plan"), [this] {
                   HandOver(false, [this] {
                       PlanWindow plan(services_, this);
                       plan.exec();
                   });
               });
    AddCommand(reports, QStringLiteral("mnQuality"), QStringLiteral("&Quality of a day"),
               QStringLiteral("Quality"), [this] {
                   HandOver(false, [this] {
                       QualityWindow quality(services_, this);
                       quality.exec();
                   });
               });
    AddCommand(reports, QStringLiteral("mnWoudc"), QStringLiteral("&WOUDC file of a day\u2026"),
               QStringLiteral("WOUDC file"),
               [this] { HandOver(false, [this] { ExportWoudc(); }); });
    AddCommand(reports, QStringLiteral("mnOtherDay"), QStringLiteral("&Other Days"),
               QStringLiteral("Other Days"), [this] {
                   HandOver(false, [this] {
                       CheckLampTestsDue(services_.calibration, clock_.Now(), *this);
                       RunOtherDays(services_, this);
                   });
               });
}

void MainWindow::BuildMaintenanceMenu(QMenuBar* bar) {
    QMenu* maintenance = bar->addMenu(QStringLiteral("maint&Enance"));
    maintenance->setObjectName(QStringLiteral("mnuLampTests"));
    muEncoder_ = AddCommand(maintenance, QStringLiteral("muEncoder"), QStringLiteral("&Encoder"),
                            QStringLiteral("Encoder"), [this] { CheckEncoderEntry(); });
    AddCommand(maintenance, QStringLiteral("mnHg"), QStringLiteral("&Mercury"),
               QStringLiteral("Mercury"), [this] { RunMercuryTest(); });
    AddCommand(maintenance, QStringLiteral("mnStandard"), QStringLiteral("&Standard "),
               QStringLiteral("Standard"), [this] {
                   HandOver(true, [this] {
                       StandardScreen screen(services_, this);
                       screen.Run();
                       ShowSummaryLines();
                   });
               });
    AddCommand(maintenance, QStringLiteral("mnDeltaQtable"), QStringLiteral("Change &Q Table"),
               QStringLiteral("Change Q Table"),
               [this] { HandOver(true, [this] { RunQTableReview(services_, this); }); });
    AddCommand(maintenance, QStringLiteral("mnuPrtQtbl"), QStringLiteral("&Print Q table"),
               QStringLiteral("Print Q table"),
               [this] { HandOver(false, [this] { RunPrintQTable(services_, this); }); });
    AddCommand(maintenance, QStringLiteral("mnuIC"), QStringLiteral("&Intercomparison"),
               QStringLiteral("Intercomparison"), [this] {
                   HandOver(true, [this] {
                       OpenDayFile(setup_, day_, clock_, messages_);
                       lblCaption_->setText(StartUpHeadline(setup_, clock_.Now()));
                       IcScreen screen(services_, this);
                       screen.exec();
                       ShowSummaryLines();
                   });
               });
}

} // namespace quillon
