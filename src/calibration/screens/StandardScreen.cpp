// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/screens/StandardScreen.h"

#include "calibration/screens/LampTestMenus.h"
#include "ozone/OzoneCalc.h"
#include "ui/ChoiceScreen.h"
#include "ui/ContinueDialog.h"
#include "ui/DecisionScreens.h"
#include "ui/EncoderCheckScreen.h"
#include "ui/EntryScreens.h"
#include "ui/InfoScreens.h"
#include "ui/ScreenHelpers.h"
#include "util/Format.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QVBoxLayout>

namespace quillon {

namespace {
const char* const kNames[4] = {"A", "C", "Cp", "D"};
} // namespace

StandardScreen::StandardScreen(Services& services, QWidget* parent)
    : QDialog(parent), s_(services), gauge_(this) {
    setObjectName(QStringLiteral("Standard"));
    setWindowTitle(QStringLiteral("Standard Lamp Test"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    AddInfoAndCommentEntries(bar, s_, this);
    QAction* encoder = bar->addAction(QStringLiteral("&Encoder Check"));
    encoder->setObjectName(QStringLiteral("mnuEncoder"));
    encoder->setEnabled(s_.setup.EncoderInUse);
    connect(encoder, &QAction::triggered, this,
            [this] { CheckEncoder(s_.encoder, s_.sounds, this); });
    layout->setMenuBar(bar);
    BuildLampChoice(layout);
    BuildReadings(layout);
    BuildButtons(layout);
    test_ = std::make_unique<StandardLampTest>(s_, *this, ReadReferenceLamps(s_.setup));
}

void StandardScreen::BuildLampChoice(QVBoxLayout* layout) {
    layout->addWidget(new QLabel(QStringLiteral("Choose or enter lamp name."), this));
    lamps_ = new QComboBox(this);
    lamps_->setObjectName(QStringLiteral("cmbLampNames"));
    lamps_->setEditable(true);
    lamps_->installEventFilter(this);
    layout->addWidget(lamps_);
    refProblems_ = NamedLabel(QStringLiteral("lblRefProblems"), QString(), this);
    refProblems_->setWordWrap(true);
    layout->addWidget(refProblems_);
    connect(lamps_->lineEdit(), &QLineEdit::returnPressed, this, &StandardScreen::Select);
}

void StandardScreen::BuildReadings(QVBoxLayout* layout) {
    auto* grid = new QGridLayout();
    const char* heads[4] = {"A", "C", "C'", "D"};
    for (int w = 0; w < 4; ++w) {
        grid->addWidget(new QLabel(QString::fromLatin1(heads[w]), this), 0, w + 1);
        for (int i = 0; i < 4; ++i) {
            tests_[w] << NamedLabel(
                QStringLiteral("lblTest%1_%2").arg(QLatin1String(kNames[w])).arg(i), QString(),
                this);
            grid->addWidget(tests_[w].last(), 1 + i, w + 1);
        }
    }
    grid->addWidget(new QLabel(QStringLiteral("Ave:"), this), 4, 0);
    layout->addLayout(grid);

    refFrame_ = new QGroupBox(QString(), this);
    refFrame_->setObjectName(QStringLiteral("framRefVal"));
    adjFrame_ = new QGroupBox(QString(), this);
    adjFrame_->setObjectName(QStringLiteral("framNadj"));
    auto* refLayout = new QHBoxLayout(refFrame_);
    auto* adjLayout = new QHBoxLayout(adjFrame_);
    for (int w = 0; w < 4; ++w) {
        refs_[w] = NamedLabel(QStringLiteral("lblRef%1").arg(QLatin1String(kNames[w])), QString(),
                              refFrame_);
        adjs_[w] = NamedLabel(QStringLiteral("lblAdj%1").arg(QLatin1String(kNames[w])), QString(),
                              adjFrame_);
        refLayout->addWidget(refs_[w]);
        adjLayout->addWidget(adjs_[w]);
    }
    layout->addWidget(refFrame_);
    layout->addWidget(adjFrame_);
    qFrame_ = new QGroupBox(QString(), this);
    qFrame_->setObjectName(QStringLiteral("framQsettings"));
    auto* qLayout = new QGridLayout(qFrame_);
    qLayout->addWidget(new QLabel(QStringLiteral("Q2"), qFrame_), 0, 0);
    qLayout->addWidget(new QLabel(QStringLiteral("Q1"), qFrame_), 1, 0);
    for (int i = 0; i < 6; ++i) {
        qset_ << NamedLabel(QStringLiteral("lblQset_%1").arg(i), QString(), qFrame_);
        qLayout->addWidget(qset_.last(), i / 3, 1 + i % 3);
    }
    layout->addWidget(qFrame_);
}

void StandardScreen::BuildButtons(QVBoxLayout* layout) {
    start_ = new QPushButton(QStringLiteral("&Start"), this);
    start_->setObjectName(QStringLiteral("cmmdStart"));
    accept_ = new QPushButton(QStringLiteral("&Accept"), this);
    accept_->setObjectName(QStringLiteral("cmmdAccept"));
    reject_ = new QPushButton(QStringLiteral("&Reject"), this);
    reject_->setObjectName(QStringLiteral("cmmdReject"));
    select_ = new QPushButton(QStringLiteral("se&Lect"), this);
    select_->setObjectName(QStringLiteral("CmmdSelect"));
    QPushButton* select = select_;
    auto* newTemp = new QPushButton(QStringLiteral("&New Temperature"), this);
    newTemp->setObjectName(QStringLiteral("cmmdNewTemp"));
    auto* exit = new QPushButton(QStringLiteral("e&Xit"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    auto* buttons = new QHBoxLayout();
    for (QPushButton* b : {start_, accept_, reject_, select, newTemp, exit}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(start_, &QPushButton::clicked, this, &StandardScreen::Start);
    connect(accept_, &QPushButton::clicked, this, &StandardScreen::AcceptTest);
    connect(reject_, &QPushButton::clicked, this, &StandardScreen::RejectTest);
    connect(select, &QPushButton::clicked, this, &StandardScreen::Select);
    connect(newTemp, &QPushButton::clicked, this, &StandardScreen::NewTemperature);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void StandardScreen::Run() {
    if (!test_->Open()) {
        return;
    }
    lamps_->clear();
    for (const ReferenceLamp& lamp : test_->Lamps().lamps) {
        lamps_->addItem(lamp.name);
    }
    lamps_->setCurrentIndex(-1);
    // An empty box that says what goes in it: typing never adds to a text.
    lamps_->setEditText(QString());
    lamps_->lineEdit()->setPlaceholderText(QStringLiteral("Lamp Name"));
    refProblems_->setText(test_->Lamps().problems.join(u'\n'));
    ShowLampTestSetup();
    exec();
    gauge_.Close();
}

std::optional<QString> StandardScreen::AskInitials(const QString& caption,
                                                   const QStringList& lines) {
    return quillon::AskInitials(&s_.sounds, parentWidget(), caption, lines,
                                s_.settings.ObserverInitials);
}

std::optional<double> StandardScreen::AskTemperature(const QString& caption,
                                                     const QStringList& lines) {
    return quillon::AskTemperature(&s_.sounds, parentWidget(), caption, lines);
}

void StandardScreen::ShowLampTestSetup() {
    ShowSettings();
    accept_->setEnabled(false);
    reject_->setEnabled(false);
    start_->setEnabled(test_->LampChosen());
    LockLamp(false);
}

void StandardScreen::LockLamp(bool locked) {
    // From Run until Accept, Reject or an escape the lamp stays the one
    // measured: Accept computes against its reference values and records
    // its name.
    lamps_->setEnabled(!locked);
    select_->setEnabled(!locked);
}

void StandardScreen::ShowSettings() {
    const Calibration& v = s_.calibration;
    adjFrame_->setTitle(QStringLiteral("N-Adj's from ") + v.LampCorrDate +
                        QStringLiteral(" Using ") + v.LampCorrLamp);
    for (int w = 0; w < 4; ++w) {
        adjs_[w]->setText(FormatNumber(v.LampCorr[static_cast<size_t>(w)], u"##0.0"));
    }
    const double t = s_.settings.InstrumentTemperature;
    qset_[0]->setText(FormatNumber(v.Q15A, u"##.0"));
    qset_[1]->setText(FormatNumber(v.Q15C, u"##.0"));
    qset_[2]->setText(FormatNumber(v.Q15D, u"###.0"));
    qset_[3]->setText(FormatNumber(QSetA(v, t), u"##.0"));
    qset_[4]->setText(FormatNumber(QSetC(v, t), u"##.0"));
    qset_[5]->setText(FormatNumber(QSetD(v, t), u"###.0"));
    qFrame_->setTitle(QStringLiteral("Q-settings for ") + FormatNumber(t, u"#0.0") +
                      QStringLiteral(" Degs C."));
}

void StandardScreen::ShowReference() {
    const QString name = test_->LampName();
    if (!test_->ReferenceKnown()) {
        refFrame_->setTitle(name + QStringLiteral(" Ref Vals not known."));
        for (QLabel* label : refs_) {
            label->clear();
        }
        return;
    }
    refFrame_->setTitle(name + QStringLiteral(" Ref Vals."));
    for (int w = 0; w < 4; ++w) {
        refs_[w]->setText(FormatNumber(test_->Reference()[static_cast<size_t>(w)], u"##0.0"));
    }
}

void StandardScreen::Select() {
    if (!test_->ChooseLamp(lamps_->currentText())) {
        PromptScreen prompt(QStringLiteral("Enter of Select Lamp Name"),
                            QStringLiteral("Please enter or Select\nLamp Name."),
                            {QStringLiteral("Press Escape to Return to main menu."),
                             QStringLiteral("Space bar to Continue"),
                             QStringLiteral("Escape Key to return to the Top Level.")},
                            this);
        prompt.exec();
        if (prompt.escaped) {
            reject();
        }
        return;
    }
    ShowReference();
    start_->setEnabled(true);
    start_->setFocus();
}

void StandardScreen::Start() {
    if (!test_->LampChosen()) {
        Select();
        return;
    }
    start_->setEnabled(false);
    LockLamp(true);
    switch (test_->Start()) {
    case StandardLampTest::Next::Inspect:
        accept_->setEnabled(true);
        reject_->setEnabled(true);
        accept_->setFocus();
        return;
    case StandardLampTest::Next::Leave:
        reject();
        return;
    case StandardLampTest::Next::ChooseLamp:
        lamps_->setFocus();
        break;
    case StandardLampTest::Next::Ready:
        break;
    }
    LockLamp(false);
    start_->setEnabled(test_->LampChosen());
}

void StandardScreen::AcceptTest() {
    if (test_->AcceptRun() == StandardLampTest::Accepted::TryAgain) {
        return; // a file could not be written: Accept stays, to try again
    }
    ShowLampTestSetup();
}

void StandardScreen::RejectTest() {
    if (!test_->Reject()) {
        return;
    }
    ClearReadings();
    ShowLampTestSetup();
    lamps_->setFocus();
}

ContinueOrEscape StandardScreen::ConfirmRejectRun() {
    PromptScreen prompt(
        QStringLiteral("Standard Lamp Rejected"), QStringLiteral("Really Reject?"),
        {QStringLiteral("Spacebar to Reject."), QStringLiteral("Otherwise press Escape.")}, this);
    prompt.exec();
    return prompt.escaped ? ContinueOrEscape::Escape : ContinueOrEscape::Continue;
}

void StandardScreen::NewTemperature() {
    test_->NewTemperature();
    // Only the Q settings and their caption follow the temperature; a
    // finished run stays to be accepted or rejected.
    ShowSettings();
}

ContinueOrEscape StandardScreen::OperatorPrompt(const QString& caption, const QStringList& lines) {
    s_.sounds.PlayStartCue();
    PromptScreen prompt(caption, lines.value(0), lines.mid(1), this,
                        QStringLiteral("Escape key will stop the lamp test"));
    prompt.exec();
    return prompt.escaped ? ContinueOrEscape::Escape : ContinueOrEscape::Continue;
}

LampEscapeChoice StandardScreen::EscapeChoice(const QString& stage) {
    s_.sounds.PlayWarning(); // a decision the operator must look at, as the blunder's
    static const LampEscapeChoice kChoices[5] = {
        LampEscapeChoice::Redo, LampEscapeChoice::SequenceOver, LampEscapeChoice::StartOver,
        LampEscapeChoice::NewLamp, LampEscapeChoice::TopLevel};
    return kChoices[Choose(QStringLiteral("Handle_ESC"),
                           QStringLiteral("Escape was pressed during lamp test."),
                           {QStringLiteral("Options -- use tab to select, then Enter:"), stage},
                           {QStringLiteral("Redo this measurement."),
                            QStringLiteral("Start this sequence over at the A measurement."),
                            QStringLiteral("Start over from the begining with this lamp."),
                            QStringLiteral("Select a new lamp name and start over."),
                            QStringLiteral("Escape back to the Top Level.")},
                           5, this) -
                    1];
}

void StandardScreen::HighDeviation(const QString& line) {
    ContinueDialog dialog(QStringLiteral("Hi_SD"),
                          QStringLiteral("High standard deviation in a reading."), {line},
                          QStringLiteral("Redo Reading."), this);
    dialog.exec();
}

GrossErrorChoice StandardScreen::GrossError() {
    s_.sounds.PlayWarning();
    const int choice =
        Choose(QStringLiteral("blunder"), QStringLiteral("Unexpected Results"),
               {QStringLiteral("The results so far are much different from the reference values"),
                QStringLiteral("1. Check that the encoder is properly zeroed."),
                QStringLiteral("2. Are you using a different lamp than the one you selected?"),
                QStringLiteral("3.  Is the wavelength rod being operated correctly?"),
                QStringLiteral("-- out for the A, C, and D, in for the C'?  "),
                QStringLiteral("4. Are you setting the wavelengths correctly?"),
                QStringLiteral("Investigate and make your choice.")},
               {QStringLiteral("&Continue"), QStringLiteral("Start over with this lamp."),
                QStringLiteral("Select New Lamp Name.")},
               2, this);
    static const GrossErrorChoice kChoices[3] = {
        GrossErrorChoice::Continue, GrossErrorChoice::StartOver, GrossErrorChoice::NewLamp};
    return kChoices[choice - 1];
}

void StandardScreen::Scattered(const QString& line) {
    ContinueDialog dialog(QStringLiteral("Hi_Scatter"), QStringLiteral("Scatter in the readings."),
                          {QStringLiteral("The Readings are too scattered.  "), line},
                          QStringLiteral("Press Spacebar to redo test."), this);
    dialog.exec();
}

void StandardScreen::ShowReading(int wavelength, int sequence, double mean) {
    tests_[static_cast<size_t>(wavelength)][sequence - 1]->setText(FormatNumber(mean, u"##0.0"));
}

void StandardScreen::ClearReadings() {
    for (auto& column : tests_) {
        for (QLabel* label : column) {
            label->clear();
        }
    }
}

void StandardScreen::ShowAverages(const std::array<double, 4>& averages) {
    for (int w = 0; w < 4; ++w) {
        tests_[static_cast<size_t>(w)][3]->setText(
            FormatNumber(averages[static_cast<size_t>(w)], u"##0.0"));
    }
}

BigChangeChoice StandardScreen::BigCorrectionChange(const QStringList& lines) {
    s_.sounds.PlayWarning();
    return Choose(QStringLiteral("Big_corr_change"),
                  QStringLiteral("The calibration adjustment changed more than expected"), lines,
                  {QStringLiteral("Press Alt+&S to use the new values"),
                   QStringLiteral("Space Bar to start over")},
                  2, this, /*defaultChoice=*/2, /*guarded=*/{1}) == 1
               ? BigChangeChoice::UseNewValues
               : BigChangeChoice::StartOver;
}

} // namespace quillon
