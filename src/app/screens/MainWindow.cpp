// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screens/MainWindow.h"

#include "app/MainScreenText.h"
#include "config/FatalFileError.h"
#include "config/ParameterText.h"
#include "observe/Guidance.h"
#include "records/DayFile.h"
#include "sound/Play.h"
#include "util/ClockSync.h"
#include "util/Format.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>

namespace quillon {

namespace {
const QString kHelpText = QStringLiteral(
    "Help: ask your network's Dobson station coordinator (see the README of this program).");

QGroupBox* Framed(const QString& name, const QString& caption, QLabel* value, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    QFont font = value->font();
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    value->setFont(font);
    layout->addWidget(value);
    return frame;
}
} // namespace

MainWindow::MainWindow(Services& services, StationState& state, QWidget* parent)
    : QMainWindow(parent), services_(services), state_(state), setup_(services.setup),
      day_(services.day), settings_(services.settings), clock_(services.clock),
      messages_(services.messages), sounds_(services.sounds), encoder_(services.encoder),
      logic_(services), operParam_(this) {
    setObjectName(QStringLiteral("Main"));
    timer1_.setObjectName(QStringLiteral("Timer1"));
    connect(&timer1_, &QTimer::timeout, this, &MainWindow::Tick);
    BuildControls();
    BuildMenu();
    logic_.SetNewDayAction([this] {
        if (transferAction_) {
            BusyGate::Hold hold(services_.gate, QStringLiteral("the transfer"));
            transferAction_();
        }
    });
    services_.gate.SetWaitingObserver([this] { ShowWaitingCommand(); });
}

MainWindow::~MainWindow() {
    services_.gate.SetWaitingObserver({});
}

void MainWindow::ShowWaitingCommand() {
    const QString waiting = services_.gate.WaitingText();
    if (!waiting.isEmpty()) {
        if (!showingWaiting_) {
            messageBeforeWaiting_ = lblMessage_->text();
            messageDuringWait_ = false;
            showingWaiting_ = true;
        }
        lblMessage_->setText(messageDuringWait_ ? waiting + u'\n' + messageBeforeWaiting_
                                                : waiting);
        lblMessage_->repaint();
    } else if (showingWaiting_) {
        showingWaiting_ = false;
        ShowMessageLine(messageBeforeWaiting_);
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Escape takes back a command that waits for the work in hand.
    if (event->key() == Qt::Key_Escape && services_.gate.DropWaiting()) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::SetObservationRunner(std::function<void(const QString&)> runner) {
    observationRunner_ = std::move(runner);
}

void MainWindow::SetTransferAction(std::function<void()> action) {
    transferAction_ = std::move(action);
}

void MainWindow::BuildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    lblCaption_ = NamedLabel(QStringLiteral("lblCaption"),
                             QStringLiteral("label station/instrument information"), central);
    QFont headline = lblCaption_->font();
    headline.setPointSize(headline.pointSize() + 3);
    headline.setBold(true);
    lblCaption_->setFont(headline);
    layout->addWidget(lblCaption_);
    layout->addLayout(BuildClocks(central));
    layout->addLayout(BuildEncoderControls(central));
    layout->addLayout(BuildSummaryLines(central));
    lblMessage_ = NamedLabel(QStringLiteral("lblMessage"), QString(), central);
    QFont message = lblMessage_->font();
    message.setPointSize(message.pointSize() + 2);
    lblMessage_->setFont(message);
    lblMessage_->setMinimumHeight(60);
    layout->addWidget(lblMessage_);
    layout->addWidget(BuildShortcutKeys(central));
    layout->addWidget(NamedLabel(QStringLiteral("Label1"), DateTimeSourceText(), central));
    helpLine_ = NamedLabel(QStringLiteral("Label2"), kHelpText, central);
    layout->addWidget(helpLine_);
    setCentralWidget(central);
}

QHBoxLayout* MainWindow::BuildClocks(QWidget* central) {
    auto* clocks = new QHBoxLayout();
    lblLdate_ = NamedLabel(QStringLiteral("LblLdate"), QStringLiteral("dd mmm yyyy"), central);
    lblLocalTime_ = NamedLabel(QStringLiteral("lblLocalTime"), QStringLiteral("hh:mm:ss"), central);
    lblDispTime_ = NamedLabel(QStringLiteral("lblDispTime"), QStringLiteral("hh:mm:ss"), central);
    lblDispMu_ = NamedLabel(QStringLiteral("lblDispMu"), QStringLiteral("uu.uuu"), central);
    lblDispRpos_ = NamedLabel(QStringLiteral("lblDispRpos"), QStringLiteral("RRR.R"), central);
    clocks->addWidget(
        Framed(QStringLiteral("Frame1"), QStringLiteral("Local Date:"), lblLdate_, central));
    clocks->addWidget(
        Framed(QStringLiteral("FrmLocal"), QStringLiteral("LST:"), lblLocalTime_, central));
    clocks->addWidget(
        Framed(QStringLiteral("FrameTime"), QStringLiteral("UTC:"), lblDispTime_, central));
    clocks->addWidget(
        Framed(QStringLiteral("FrameMu"), QStringLiteral("Mu:"), lblDispMu_, central));
    clocks->addWidget(
        Framed(QStringLiteral("FrameRpos"), QStringLiteral("R-Dial:"), lblDispRpos_, central));
    return clocks;
}

QHBoxLayout* MainWindow::BuildEncoderControls(QWidget* central) {
    auto* controls = new QHBoxLayout();
    chkBoxEncoder_ = new QCheckBox(QStringLiteral("UnCheck to Stop reading encoder"), central);
    chkBoxEncoder_->setObjectName(QStringLiteral("ChkBoxEncoder"));
    chkBoxEncoder_->setChecked(true);
    cmdEncRst_ = new QPushButton(QStringLiteral("enc&Dr_reset"), central);
    cmdEncRst_->setObjectName(QStringLiteral("CmdEncRst"));
    connect(cmdEncRst_, &QPushButton::clicked, this,
            [this] { Command(QStringLiteral("encDr_reset"), [this] { ResetEncoderButton(); }); });
    cmmdPrompting_ = new QPushButton(QStringLiteral("Change to Obs'r &Prompted Obs"), central);
    cmmdPrompting_->setObjectName(QStringLiteral("CmmdPrompting"));
    connect(cmmdPrompting_, &QPushButton::clicked, this,
            [this] { Command(QStringLiteral("Prompted Obs"), [this] { TogglePrompting(); }); });
    promptext_ = NamedLabel(QStringLiteral("Promptext"), QStringLiteral("Computer controls speed."),
                            central);
    controls->addWidget(chkBoxEncoder_);
    controls->addWidget(cmdEncRst_);
    controls->addWidget(cmmdPrompting_);
    controls->addWidget(promptext_);
    return controls;
}

QGridLayout* MainWindow::BuildSummaryLines(QWidget* central) {
    auto* summary = new QGridLayout();
    summary->addWidget(new QLabel(QStringLiteral("Ozone from ADDS Observations"), central), 0, 0);
    summary->addWidget(new QLabel(QStringLiteral("Ozone from AD zenith observations"), central), 1,
                       0);
    summary->addWidget(new QLabel(QStringLiteral("Ozone from CDDS Observations."), central), 2, 0);
    lblADDSoz_ = NamedLabel(QStringLiteral("lblADDSoz"),
                            QStringLiteral("Ozone from ADDS Observations"), central);
    lblADZenOz_ = NamedLabel(QStringLiteral("lblADZenOz"),
                             QStringLiteral("Ozone from AD zenith observations"), central);
    lblCDDSOz_ = NamedLabel(QStringLiteral("lblCDDSOz"),
                            QStringLiteral("Ozone from CDDS Observations."), central);
    summary->addWidget(lblADDSoz_, 0, 1);
    summary->addWidget(lblADZenOz_, 1, 1);
    summary->addWidget(lblCDDSOz_, 2, 1);
    return summary;
}

QGroupBox* MainWindow::BuildShortcutKeys(QWidget* central) {
    frmFkeys_ = new QGroupBox(QStringLiteral("Short Cut Keys"), central);
    frmFkeys_->setObjectName(QStringLiteral("frmFkeys"));
    auto* keys = new QGridLayout(frmFkeys_);
    int i = 0;
    for (const ObservationEntry& entry : ObservationEntries()) {
        if (*entry.labelName == '\0') {
            continue;
        }
        auto* label = new ClickLabel(QString::fromLatin1(entry.labelCaption), frmFkeys_);
        label->setObjectName(QString::fromLatin1(entry.labelName));
        label->setCursor(Qt::PointingHandCursor);
        keys->addWidget(label, i / 5, i % 5);
        obsLabels_.insert(QString::fromLatin1(entry.code), label);
        const QString code = QString::fromLatin1(entry.code);
        connect(label, &ClickLabel::clicked, this, [this, code] {
            if (QAction* action = obsActions_.value(code); action && action->isEnabled()) {
                action->trigger();
            }
        });
        ++i;
    }
    return frmFkeys_;
}

bool MainWindow::Load() {
    adjustSize();
    CentreOnScreen(this);
    setWindowTitle(MainTitle(kRevision));
    // The operator's keys run on during start-up (the parameter screen's
    // three seconds): a command waits at the gate until the main screen is
    // ready.
    BusyGate::Hold hold(services_.gate, QStringLiteral("the start-up"));
    StartUp startUp(state_, clock_, messages_, *this, encoder_);
    Result<std::optional<ArchiveSite>> loaded = startUp.LoadConfiguration();
    if (!loaded) {
        messages_.Show(loaded.error().message, FatalFileError::Title());
        return false;
    }
    if (loaded.value()) {
        archiveSite_ = std::move(*loaded.value());
    }
    if (!startUp.Run()) {
        return false;
    }
    ShowSummaryLines();
    lblCaption_->setText(StartUpHeadline(setup_, clock_.Now()));
    logic_.ResetMuRange();
    ResetObservationMenu();
    // Without an encoder there is no counter to check or reset.
    muEncoder_->setEnabled(setup_.EncoderInUse);
    cmdEncRst_->setEnabled(setup_.EncoderInUse);
    TogglePrompting();
    ShowClockState();
    timer1_.start(1000);
    return true;
}

void MainWindow::ShowSummaryLines() {
    lblADDSoz_->setText(day_.SummaryADDS);
    lblADZenOz_->setText(ZenithSummaryLine(day_));
    lblCDDSOz_->setText(day_.SummaryCDDS);
}

void MainWindow::ShowMessageLine(const QString& text) {
    // While a command waits, its "Waiting:" line stays on top and a message
    // written meanwhile shows under it; once it runs, the latest message is
    // the one left, never the text from before the wait.
    if (showingWaiting_) {
        messageBeforeWaiting_ = text;
        messageDuringWait_ = true;
        ShowWaitingCommand();
        return;
    }
    lblMessage_->setText(text);
    lblMessage_->repaint();
}

void MainWindow::ShowParameters(const StationSetup& setup, const Calibration& calibration) {
    operParam_.Fill(StationParameterLines(setup), InstrumentParameterLines(setup, calibration));
    operParam_.show();
    operParam_.repaint();
    QApplication::processEvents();
}

void MainWindow::HideParameters() {
    operParam_.hide();
}

void MainWindow::ShowLampOverDue(const LampTestAges& ages) {
    LampOverDueDialog screen(LampAgeText(ages.standard), LampAgeText(ages.mercury), this);
    // The warning cue sounds once the screen is up.
    QTimer::singleShot(0, &screen, [this] { sounds_.PlayWarning(); });
    screen.exec();
}

void MainWindow::ResetObservationMenu() {
    for (QAction* action : std::as_const(obsActions_)) {
        action->setVisible(false);
        action->setEnabled(false);
    }
    for (ClickLabel* label : std::as_const(obsLabels_)) {
        label->setVisible(false);
        label->setEnabled(false);
    }
    frmFkeys_->setVisible(false);
    lblMessage_->clear();
    ShowSummaryLines();
}

void MainWindow::ApplyGuidance(int range) {
    const MuGuidance& guidance = GuidanceFor(range);
    repaint();
    ResetObservationMenu();
    lblMessage_->setText(guidance.lines.join(QStringLiteral("\n")));
    for (const QString& code : guidance.entries) {
        obsActions_[code]->setVisible(true);
        obsActions_[code]->setEnabled(true);
    }
    for (const QString& code : guidance.labels) {
        obsLabels_[code]->setVisible(true);
        obsLabels_[code]->setEnabled(true);
    }
    frmFkeys_->setVisible(guidance.showShortcutFrame);
}

void MainWindow::ShowClockState() {
    const bool synchronised = clockSynchronised_();
    if (clockShownSynchronised_ == synchronised) {
        return; // the line changes only when the clock's state does
    }
    clockShownSynchronised_ = synchronised;
    helpLine_->setText(synchronised ? kHelpText : ClockNotSynchronisedText());
    helpLine_->setStyleSheet(synchronised ? QString() : QStringLiteral("color: red"));
}

void MainWindow::Tick() {
    ShowClockState();
    if (services_.gate.IsBusy()) {
        return; // a command or transfer is running; the next tick reads
    }
    timer1_.stop();
    if (!logic_.Tick(*this)) {
        return; // the dial failed and the program is ending
    }
    timer1_.start(1000);
}

void MainWindow::ShowHeadline(const QString& headline) {
    lblCaption_->setText(headline);
    lblCaption_->repaint();
}

void MainWindow::ShowClocks(const TickDisplay& display) {
    lblDispTime_->setText(display.utcText);
    lblLocalTime_->setText(display.lstText);
    lblLdate_->setText(display.localDateText);
    lblDispMu_->setText(display.muText);
}

void MainWindow::ShowDial(const QString& text, long reads) {
    lblDispRpos_->setText(text);
    if (text != QLatin1String("NoEnc")) {
        setWindowTitle(MainTitle(reads));
    }
}

bool MainWindow::DialReadingWanted() const {
    return chkBoxEncoder_->isChecked();
}

void MainWindow::Command(const QString& name, std::function<void()> command) {
    services_.gate.Run(std::move(command), name);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close button is one more way out: the same question and transfer.
    if (exiting_) {
        event->accept();
        return;
    }
    event->ignore();
    Command(QStringLiteral("Exit"), [this] { ExitProgram(); });
    if (exiting_) {
        event->accept(); // the exit ran at once; this close is its own
    }
}

void MainWindow::HandOver(bool hideMain, const std::function<void()>& run) {
    timer1_.stop();
    if (hideMain) {
        hide();
    }
    run();
    timer1_.start(1000);
    if (hideMain) {
        show();
        activateWindow();
    }
}

void MainWindow::StartObservation(const QString& type) {
    HandOver(true, [this, &type] {
        settings_.ObserverInitials.clear();
        CheckLampTestsDue(services_.calibration, clock_.Now(), *this);
        if (observationRunner_) {
            observationRunner_(type);
        }
        OpenDayFile(setup_, day_, clock_, messages_);
        ShowSummaryLines();
        lblCaption_->setText(StartUpHeadline(setup_, clock_.Now()));
    });
}

} // namespace quillon
