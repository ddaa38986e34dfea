// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainTimerLogic.h"
#include "app/StartUp.h"
#include "station/Services.h"
#include "ui/InfoScreens.h"
#include "ui/ScreenHelpers.h"
#include "util/ClockSync.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <optional>

namespace quillon {

class Sounds;

// The main screen "Main": clocks, mu, R-dial, the day's summary lines, the
// mu guidance with its shortcut labels, and the main menu through which
// every other screen is reached.
class MainWindow : public QMainWindow, public StartUpScreens, public MainScreenView {
    Q_OBJECT
public:
    // `state` is the station's state that Load() fills at start-up; every
    // screen after it works through `services`.
    MainWindow(Services& services, StationState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence. False when a fatal file error stopped it (the
    // operator has seen the box; the program must end).
    bool Load();
    // The archive site read by Load(), handed over once to the transfer.
    ArchiveSite TakeArchiveSite() { return std::move(archiveSite_); }

    // One tick of Timer1.
    void Tick();

    QTimer* Timer1() { return &timer1_; }
    int MuRange() const { return logic_.MuRange(); }
    long ReadCount() const { return logic_.ReadCount(); }

    // Hooks for the parts that run from this screen: the observation of a
    // type, and the archive transfer at a new day and at exit.
    void SetObservationRunner(std::function<void(const QString& type)> runner);
    void SetTransferAction(std::function<void()> action);
    // Whether the system clock is kept by a time service (the help line
    // warns while it is not); the kernel's state unless a test says.
    void SetClockSyncCheck(std::function<bool()> check) { clockSynchronised_ = std::move(check); }

    // StartUpScreens
    void ShowParameters(const StationSetup& setup, const Calibration& calibration) override;
    void HideParameters() override;
    void ShowLampOverDue(const LampTestAges& ages) override;

    // The hand-over rule: stop the timer, run another screen, restart the
    // timer at 1000 ms; test and observation screens hide this one meanwhile.
    void HandOver(bool hideMain, const std::function<void()>& run);

    // MainScreenView
    void ShowHeadline(const QString& headline) override;
    void ShowSummaryLines() override;
    void ShowClocks(const TickDisplay& display) override;
    void ShowDial(const QString& text, long reads) override;
    void ApplyGuidance(int range) override;
    bool DialReadingWanted() const override;
    // The message line under the summary (guidance, transfer progress).
    void ShowMessageLine(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowClockState();
    // An operator command: it waits while a tick, a transfer or another
    // command runs (see BusyGate).
    void Command(const QString& name, std::function<void()> command);
    // The waiting command on the message line, and what was there before.
    void ShowWaitingCommand();
    bool showingWaiting_ = false;
    bool messageDuringWait_ = false; // a message was written while it waited
    QString messageBeforeWaiting_;
    void BuildControls();
    QHBoxLayout* BuildClocks(QWidget* central);
    QHBoxLayout* BuildEncoderControls(QWidget* central);
    QGridLayout* BuildSummaryLines(QWidget* central);
    QGroupBox* BuildShortcutKeys(QWidget* central);
    void BuildMenu();
    void BuildObsMenu(QMenuBar* bar);
    void BuildReportsMenu(QMenuBar* bar);
    void BuildMaintenanceMenu(QMenuBar* bar);
    QAction* AddAction(QMenu* menu, const QString& name, const QString& caption);
    // A menu entry that runs `run` as the operator command `command`.
    QAction* AddCommand(QMenu* menu, const QString& name, const QString& caption,
                        const QString& command, std::function<void()> run);
    void ResetObservationMenu();
    void StartObservation(const QString& type);
    void ExitProgram();
    void AddComment();
    void ShowToday();
    void ShowProgramInfo();
    void ShowOperParam();
    void TogglePrompting();
    void ResetEncoderButton();
    void CheckEncoderEntry();
    void RunMercuryTest();
    void ExportWoudc();

    Services& services_;
    StationState& state_;
    const StationSetup& setup_;
    DayState& day_;
    OperatorSettings& settings_;
    ArchiveSite archiveSite_;
    Clock& clock_;
    OperatorMessages& messages_;
    Sounds& sounds_;
    Cub5Encoder& encoder_;
    MainTimerLogic logic_;
    bool exiting_ = false;
    QTimer timer1_;
    OperParamScreen operParam_;
    std::function<void(const QString&)> observationRunner_;
    std::function<void()> transferAction_;
    std::function<bool()> clockSynchronised_ = SystemClockSynchronised;
    QLabel* helpLine_ = nullptr;
    std::optional<bool> clockShownSynchronised_;

    QLabel* lblCaption_ = nullptr;
    QLabel* lblLdate_ = nullptr;
    QLabel* lblLocalTime_ = nullptr;
    QLabel* lblDispTime_ = nullptr;
    QLabel* lblDispMu_ = nullptr;
    QLabel* lblDispRpos_ = nullptr;
    QCheckBox* chkBoxEncoder_ = nullptr;
    QPushButton* cmdEncRst_ = nullptr;
    QPushButton* cmmdPrompting_ = nullptr;
    QLabel* promptext_ = nullptr;
    QLabel* lblADDSoz_ = nullptr;
    QLabel* lblADZenOz_ = nullptr;
    QLabel* lblCDDSOz_ = nullptr;
    QLabel* lblMessage_ = nullptr;
    QGroupBox* frmFkeys_ = nullptr;
    QAction* muEncoder_ = nullptr;
    QMap<QString, QAction*> obsActions_;   // by observation code
    QMap<QString, ClickLabel*> obsLabels_; // by observation code
};

} // namespace quillon
