// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/screens/ObsScreen.h"

#include "astro/AstroFunctions.h"
#include "config/ParameterText.h"
#include "observe/ObservationRecord.h"
#include "observe/ObservationTypes.h"
#include "observe/screens/BlueSkyScreen.h"
#include "observe/screens/MoreobsScreen.h"
#include "observe/screens/ObservationDecisions.h"
#include "records/DayFile.h"
#include "ui/DecisionScreens.h"
#include "ui/EncoderCheckScreen.h"
#include "ui/EntryScreens.h"
#include "ui/InfoScreens.h"
#include "util/Format.h"

#include <QActionGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>

namespace quillon {

namespace {
QLabel* Named(const QString& name, QWidget* parent, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}
} // namespace

ObsScreen::ObsScreen(Services& services, QWidget* parent)
    : QDialog(parent), services_(services), gauge_(this) {
    setObjectName(QStringLiteral("Obs"));
    setWindowTitle(QStringLiteral("This is the form controlling the observations."));
    auto* layout = new QVBoxLayout(this);
    BuildMenus(layout);
    heading_ = Named(QStringLiteral("lblCaption_0"), this);
    QFont big = heading_->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    heading_->setFont(big);
    layout->addWidget(heading_);
    BuildReadings(layout, big);
    BuildResults(layout, big);
    BuildButtons(layout);
    tmrTime_.setParent(this);
    tmrTime_.setObjectName(QStringLiteral("tmrTime"));
    connect(&tmrTime_, &QTimer::timeout, this, &ObsScreen::TimeTick);
}

void ObsScreen::BuildReadings(QVBoxLayout* layout, const QFont& big) {
    auto* grid = new QGridLayout();
    temperature_ = Named(QStringLiteral("lblTemp"), this);
    grid->addWidget(temperature_, 0, 0, 1, 2);
    for (int i = 0; i < 4; ++i) {
        qLabels_ << Named(QStringLiteral("lblQLabel%1").arg(i), this);
        qValues_ << Named(QStringLiteral("lblQValue%1").arg(i), this);
        grid->addWidget(qLabels_.last(), 1 + i, 0);
        grid->addWidget(qValues_.last(), 1 + i, 1);
    }
    const char* fields[5] = {"lbl1stRa", "lbl1stRd", "lbl2cdRa", "lbl2cdRd", "lbl3rdRA"};
    // Displayed in the order first, second, third of the first wavelength,
    // then first and second of the second.
    const int rowOf[5] = {0, 3, 1, 4, 2};
    for (int i = 0; i < 5; ++i) {
        readingLabels_ << Named(QStringLiteral("lblRdgLabel%1").arg(i), this);
        readings_ << Named(QString::fromLatin1(fields[i]), this);
        readings_.last()->setFont(big);
        grid->addWidget(readingLabels_.last(), 1 + rowOf[i], 2);
        grid->addWidget(readings_.last(), 1 + rowOf[i], 3);
    }
    layout->addLayout(grid);
}

void ObsScreen::BuildResults(QVBoxLayout* layout, const QFont& big) {
    auto* results = new QGridLayout();
    results->addWidget(new QLabel(QStringLiteral("Mean Time:"), this), 0, 0);
    results->addWidget(new QLabel(QStringLiteral("Mu:"), this), 1, 0);
    results->addWidget(new QLabel(QStringLiteral("Ozone:"), this), 2, 0);
    obsTime_ = Named(QStringLiteral("lblObsTime"), this);
    obsMu_ = Named(QStringLiteral("lblObsMu"), this);
    calcO3_ = Named(QStringLiteral("lblCalcO3"), this);
    calcO3_->setFont(big);
    results->addWidget(obsTime_, 0, 1);
    results->addWidget(obsMu_, 1, 1);
    results->addWidget(calcO3_, 2, 1);
    clockFrame_ = new QGroupBox(QStringLiteral("UTC:"), this);
    clockFrame_->setObjectName(QStringLiteral("FrameTime"));
    auto* clockLayout = new QVBoxLayout(clockFrame_);
    sysTime_ = Named(QStringLiteral("lblSysTime"), clockFrame_);
    dispMu_ = Named(QStringLiteral("lblDispMu"), clockFrame_);
    clockLayout->addWidget(sysTime_);
    clockLayout->addWidget(new QLabel(QStringLiteral("Mu:"), clockFrame_));
    clockLayout->addWidget(dispMu_);
    results->addWidget(clockFrame_, 0, 2, 3, 1);
    layout->addLayout(results);
    // In the help line's warning colour; hidden while no flag applies.
    quality_ = Named(QStringLiteral("lblQuality"), this);
    quality_->setStyleSheet(QStringLiteral("color: red"));
    quality_->setWordWrap(true);
    quality_->setVisible(false);
    layout->addWidget(quality_);
}

void ObsScreen::BuildButtons(QVBoxLayout* layout) {
    for (int i = 0; i < 5; ++i) {
        messageLines_ << Named(QStringLiteral("Label1_%1").arg(i), this);
        layout->addWidget(messageLines_.last());
    }
    start_ = new QPushButton(QStringLiteral("Press spacebar to start "), this);
    start_->setObjectName(QStringLiteral("cmmdPrsAny"));
    accept_ = new QPushButton(QStringLiteral("&Accept Ob"), this);
    accept_->setObjectName(QStringLiteral("cmmdAccept"));
    reject_ = new QPushButton(QStringLiteral("&Reject Ob"), this);
    reject_->setObjectName(QStringLiteral("cmmdReject"));
    auto* escape = new QPushButton(QStringLiteral("Press Escape to Cancel Observation"), this);
    escape->setObjectName(QStringLiteral("cmmdObsEsc"));
    auto* newTemp = new QPushButton(QStringLiteral("Input &New Temperature"), this);
    newTemp->setObjectName(QStringLiteral("cmmdNewTemp"));
    for (QPushButton* b : {start_, accept_, reject_, escape, newTemp}) {
        b->setAutoDefault(false);
        layout->addWidget(b);
    }
    connect(start_, &QPushButton::clicked, this, &ObsScreen::Start);
    connect(accept_, &QPushButton::clicked, this, &ObsScreen::Accept);
    connect(reject_, &QPushButton::clicked, this, &ObsScreen::Reject);
    connect(escape, &QPushButton::clicked, this, &ObsScreen::EscapeToTypeSelection);
    connect(newTemp, &QPushButton::clicked, this, &ObsScreen::NewTemperature);
}

void ObsScreen::BuildMenus(QVBoxLayout* layout) {
    auto* bar = new QMenuBar(this);
    QMenu* style = bar->addMenu(QStringLiteral("st&Yle"));
    auto checkable = [&](QMenu* menu, const char* name, const char* caption) {
        QAction* a = menu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        return a;
    };
    visual_ = checkable(style, "mnuVisual", "Visual Prompts Only");
    both_ = checkable(style, "mnuBoth", "Audio and Visual Prompts");
    style->addSeparator();
    computer_ = checkable(style, "mnuComputer", "Computer Timed");
    observer_ = checkable(style, "mnuObserver", "Observer Controlled");
    auto* prompts = new QActionGroup(this);
    prompts->addAction(visual_);
    prompts->addAction(both_);
    auto* speed = new QActionGroup(this);
    speed->addAction(computer_);
    speed->addAction(observer_);
    connect(visual_, &QAction::triggered, this, [this] { services_.settings.AudioPrompts = 0; });
    connect(both_, &QAction::triggered, this, [this] { services_.settings.AudioPrompts = 1; });
    connect(computer_, &QAction::triggered, this, [this] { services_.settings.ComputerTimed = 1; });
    connect(observer_, &QAction::triggered, this, [this] { services_.settings.ComputerTimed = 0; });

    QAction* info = bar->addAction(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("mnInfo"));
    connect(info, &QAction::triggered, this, [this] {
        ProginfoScreen screen(ProgramInfoLines(services_.setup, services_.calibration), this);
        screen.exec();
    });
    QMenu* encoder = bar->addMenu(QStringLiteral("&Encoder"));
    encoder->setObjectName(QStringLiteral("mnuEncoder"));
    xovers10_ = checkable(encoder, "mnuXover10", "Xovers=10");
    xovers5_ = checkable(encoder, "mnuXovers5", "Xovers=5");
    connect(xovers10_, &QAction::triggered, this, [this] { session_->SetReadingsCount(10); });
    connect(xovers5_, &QAction::triggered, this, [this] { session_->SetReadingsCount(5); });
    connect(encoder, &QMenu::aboutToShow, this, [this] {
        const int n = session_->OfferedReadingsCount();
        xovers10_->setChecked(n == 10);
        xovers5_->setChecked(n == 5);
    });
    QAction* comment = bar->addAction(QStringLiteral("&Comment"));
    comment->setObjectName(QStringLiteral("mnuComment"));
    connect(comment, &QAction::triggered, this, [this] {
        if (const std::optional<QString> text = AskComment(&services_.sounds, this)) {
            WriteCommentText(services_.setup, services_.day, services_.clock, services_.messages,
                             *text);
        }
    });
    layout->setMenuBar(bar);
}

void ObsScreen::Prepare() {
    const OperatorSettings& v = services_.settings;
    heading_->setText(ObservationHeading(services_.setup, session_->Type(), services_.clock.Now()));
    ResetObsScreen();
    (v.ComputerTimed == 1 ? computer_ : observer_)->setChecked(true);
    (v.AudioPrompts == 1 ? both_ : visual_)->setChecked(true);
    ShowReady();
}

void ObsScreen::ResetObsScreen() {
    const QSettingsText ad = quillon::ShowQSettings(services_.calibration, QStringLiteral("AD"), 0);
    for (int i = 0; i < 4; ++i) {
        qLabels_[i]->setText(i < 2 ? ad.q1Labels[i] : ad.q2Labels[i - 2]);
        qValues_[i]->setText(QStringLiteral(" "));
    }
    const int order[5] = {0, 3, 1, 4, 2};
    for (int i = 0; i < 5; ++i) {
        readingLabels_[i]->setText(ad.readingLabels[order[i]]);
        readings_[i]->setText(QStringLiteral(" "));
    }
    temperature_->setText(QStringLiteral("Instrument Degs C"));
}

void ObsScreen::ShowQSettings() {
    const QSettingsText q = quillon::ShowQSettings(services_.calibration, PairOf(session_->Type()),
                                                   services_.settings.InstrumentTemperature);
    temperature_->setText(q.temperature);
    for (int i = 0; i < 4; ++i) {
        const QStringList& labels = i < 2 ? q.q1Labels : q.q2Labels;
        const QStringList& values = i < 2 ? q.q1Values : q.q2Values;
        const int k = i % 2;
        qLabels_[i]->setText(k < labels.size() ? labels[k] : QString());
        qValues_[i]->setText(k < values.size() ? values[k] : QString());
    }
    const int order[5] = {0, 3, 1, 4, 2};
    for (int i = 0; i < 5; ++i) {
        readingLabels_[i]->setText(q.readingLabels[order[i]]);
    }
    // The two lines of the Q settings; the lines under them are cleared, so
    // no inspection text of an earlier run stays.
    SetMessageLines({q.firstMessage, q.message});
}

void ObsScreen::SetMessageLines(const QStringList& lines) {
    for (int i = 0; i < messageLines_.size(); ++i) {
        messageLines_[i]->setText(i < lines.size() ? lines[i] : QString());
    }
}

void ObsScreen::ShowReady() {
    ShowQSettings();
    // Accept and Reject belong to a completed run only: an escaped or
    // stopped run has nothing to accept.
    accept_->setVisible(false);
    reject_->setVisible(false);
    accept_->setEnabled(true);
    reject_->setEnabled(true);
    start_->setVisible(true);
    start_->setEnabled(true);
    start_->setFocus();
    sysTime_->setText(FormatDate(services_.clock.Now(), u"HH:MM.SS"));
    clockFrame_->setVisible(true);
    tmrTime_.start(990);
}

void ObsScreen::TimeTick() {
    const DateTimeValue now = services_.clock.Now();
    sysTime_->setText(FormatDate(now, u"HH:MM:SS"));
    dispMu_->setText(FormatNumber(SunMu(services_.setup, now), u"##.000;No sun"));
}

void ObsScreen::ShowRunning() {
    tmrTime_.stop();
    // The gauge stands beside the screen, so the readings stay in view.
    gauge_.move(frameGeometry().right() + 8, frameGeometry().top());
    clockFrame_->setVisible(false);
    start_->setVisible(false);
    messageLines_[1]->clear();
    for (QLabel* r : readings_) {
        r->setText(QStringLiteral(" "));
    }
    obsTime_->clear();
    obsMu_->clear();
    calcO3_->clear();
    ShowQuality(QString());
}

void ObsScreen::ShowInspect() {
    accept_->setVisible(true);
    reject_->setVisible(true);
    accept_->setFocus();
    SetMessageLines({"Inspect the observation -- Press Accept or Reject.", "",
                     "A reason to reject the observation would be that the ",
                     "sky conditions changed completely during the observation.", ""});
    tmrTime_.start(990);
    clockFrame_->setVisible(true);
}

void ObsScreen::ShowRejected() {
    calcO3_->setText(QStringLiteral("This Ob rejected."));
}

void ObsScreen::Start() {
    session_->Start();
}

void ObsScreen::Accept() {
    tmrTime_.stop();
    accept_->setEnabled(false);
    reject_->setEnabled(false);
    session_->Accept();
    accept_->setEnabled(true);
    reject_->setEnabled(true);
}

void ObsScreen::Reject() {
    tmrTime_.stop();
    session_->Reject();
}

void ObsScreen::EscapeToTypeSelection() {
    tmrTime_.stop();
    session_->EscapeToTypeSelection();
}

void ObsScreen::NewTemperature() {
    session_->NewTemperature();
}

QWidget* ObsScreen::DialogParent() {
    // The set-up prompts come before the observation screen is shown.
    return isVisible() ? this : parentWidget();
}

ContinueOrEscape ObsScreen::ConfirmFocusedSun(const ObservationWarning& warning) {
    WarningScreen screen(warning, QStringLiteral("Escape to Top Level"), DialogParent());
    screen.exec();
    return screen.escaped ? ContinueOrEscape::Escape : ContinueOrEscape::Continue;
}

std::optional<QString> ObsScreen::AskInitials(const QString& caption, const QStringList& lines) {
    return quillon::AskInitials(&services_.sounds, DialogParent(), caption, lines,
                                services_.settings.ObserverInitials);
}

std::optional<double> ObsScreen::AskTemperature(const QString& caption, const QStringList& lines) {
    return quillon::AskTemperature(&services_.sounds, DialogParent(), caption, lines);
}

void ObsScreen::RunEncoderCheck() {
    CheckEncoder(services_.encoder, services_.sounds, DialogParent());
}

void ObsScreen::RunObservationScreen(const QString&) {
    Prepare();
    exec();
    gauge_.Close();
}

void ObsScreen::FinishObservationScreen() {
    gauge_.Close();
    done(QDialog::Rejected);
}

RestartChoice ObsScreen::AskRestartAfterEscape() {
    PromptScreen prompt(QStringLiteral("Escape was pressed during observation"),
                        QStringLiteral("Escape was pressed during observation\n"),
                        {QStringLiteral("Space bar to Re-start observation."),
                         QStringLiteral("Escape key to Abort Observation.")},
                        this);
    prompt.exec();
    return prompt.escaped ? RestartChoice::Leave : RestartChoice::Restart;
}

SkyAnswer ObsScreen::AskSkyConditions(const QString& type) {
    BlueSkyScreen sky(type, &services_.sounds, this);
    sky.exec();
    SkyAnswer answer;
    if (!sky.escaped) {
        answer.selection = sky.Selection();
        answer.comment = sky.CommentText();
    }
    return answer;
}

RestartChoice ObsScreen::AskRestartSkySelection() {
    PromptScreen prompt(
        QStringLiteral("Escaped out of Select Sky Conditions."),
        QStringLiteral("Escape key was pressed\nin the selection of Sky Conditions"),
        {QStringLiteral("Space bar to Re-start selection"),
         QStringLiteral("Escape key to Abort Observation.")},
        this);
    prompt.exec();
    return prompt.escaped ? RestartChoice::Leave : RestartChoice::Restart;
}

RejectChoice ObsScreen::ConfirmReject() {
    accept_->setVisible(false);
    reject_->setVisible(false);
    ConfirmRejScreen confirm(this);
    confirm.exec();
    switch (confirm.choice) {
    case ConfirmRejScreen::Choice::Accept:
        accept_->setVisible(true);
        return RejectChoice::AcceptAfterAll;
    case ConfirmRejScreen::Choice::RejectAndChooseType:
        return RejectChoice::RejectAndChooseType;
    case ConfirmRejScreen::Choice::Reject:
        break;
    }
    return RejectChoice::Reject;
}

std::optional<QString> ObsScreen::ChooseNextType(const QStringList& offered, double mu) {
    MoreobsScreen more(offered, mu, this);
    more.exec();
    if (more.chosen.isEmpty()) {
        return std::nullopt;
    }
    return more.chosen;
}

ContinueOrEscape ObsScreen::ObserverPrompt(const QString& caption, const QString& message,
                                           const QStringList& lines) {
    services_.sounds.PlayStartCue();
    PromptScreen prompt(caption, message, lines, this);
    prompt.exec();
    return prompt.escaped ? ContinueOrEscape::Escape : ContinueOrEscape::Continue;
}

void ObsScreen::ShowWarning(const ObservationWarning& warning) {
    WarningScreen screen(warning, QString(), this);
    screen.exec();
}

void ObsScreen::ShowReading(int field, const QString& text) {
    readings_[field]->setText(text);
    readings_[field]->repaint();
}

void ObsScreen::ShowResult(const QString& meanTime, const QString& mu, const QString& ozone) {
    obsTime_->setText(meanTime);
    obsMu_->setText(mu);
    calcO3_->setText(ozone);
    obsTime_->repaint();
}

void ObsScreen::ShowQuality(const QString& line) {
    quality_->setText(line);
    quality_->setVisible(!line.isEmpty());
}

void ObsScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        EscapeToTypeSelection();
        return;
    }
    // "Press any Key": any key but the access keys (Alt) and the lone
    // modifier keys starts the measurement.
    const bool modifierOnly = event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control ||
                              event->key() == Qt::Key_Alt || event->key() == Qt::Key_Meta ||
                              event->key() == Qt::Key_AltGr;
    if (start_->isVisible() && start_->isEnabled() && !modifierOnly &&
        !(event->modifiers() & Qt::AltModifier)) {
        Start();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillon
