// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/screens/HgtestScreen.h"

#include "calibration/screens/LampTestMenus.h"
#include "ui/ContinueDialog.h"
#include "ui/EntryScreens.h"
#include "ui/InfoScreens.h"
#include "ui/ScreenHelpers.h"
#include "util/EntryRules.h"
#include "util/Format.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>

namespace quillon {

HgtestScreen::HgtestScreen(Services& services, QWidget* parent)
    : QDialog(parent), s_(services), session_(services, *this) {
    setObjectName(QStringLiteral("Hgtest"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    AddInfoAndCommentEntries(bar, s_, this);
    layout->setMenuBar(bar);
    for (int i = 0; i < 9; ++i) {
        header_ << NamedLabel(QStringLiteral("lblHdr_%1").arg(i), QString(), this);
        layout->addWidget(header_.last());
    }
    auto* grid = new QGridLayout();
    BuildEntryBoxes(grid);
    BuildResultLabels(grid);
    layout->addLayout(grid);
    BuildButtons(layout);
}

void HgtestScreen::BuildEntryBoxes(QGridLayout* grid) {
    grid->addWidget(
        new QLabel(QStringLiteral("Q1 Readings at Half Current on MicroAmpMeter"), this), 0, 0, 1,
        6);
    grid->addWidget(new QLabel(QStringLiteral("Upper:"), this), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("Lower:"), this), 3, 0);
    const char* ordinals[5] = {"1st", "2nd", "3rd", "4th", "5th"};
    for (int k = 0; k < 5; ++k) {
        grid->addWidget(new QLabel(QString::fromLatin1(ordinals[k]), this), 1, k + 1);
    }
    for (int i = 0; i < 10; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtRdg_%1").arg(i));
        box->setPlaceholderText(QStringLiteral("DDD.D"));
        box->installEventFilter(this);
        grid->addWidget(box, 2 + i % 2, 1 + i / 2);
        readings_ << box;
    }
    startTemp_ = new QLineEdit(this);
    startTemp_->setObjectName(QStringLiteral("txtStartTemp"));
    endTemp_ = new QLineEdit(this);
    endTemp_->setObjectName(QStringLiteral("txtEndTemp"));
    for (QLineEdit* box : {startTemp_, endTemp_}) {
        box->installEventFilter(this);
    }
    // An edit after the evaluation makes it stale: Done(Save) waits until
    // Enter has evaluated the boxes again, so the record never carries a
    // value that its verdict was not computed from.
    QList<QLineEdit*> boxes = readings_;
    boxes << startTemp_ << endTemp_;
    for (QLineEdit* box : std::as_const(boxes)) {
        connect(box, &QLineEdit::textEdited, this, [this] {
            done_->setEnabled(false);
            session_.Edited();
        });
    }
    grid->addWidget(new QLabel(QStringLiteral("Start Temp:"), this), 4, 0);
    grid->addWidget(startTemp_, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("End Temp:"), this), 4, 2);
    grid->addWidget(endTemp_, 4, 3);
    grid->addWidget(new QLabel(QStringLiteral("Degs C."), this), 4, 4);
}

void HgtestScreen::BuildResultLabels(QGridLayout* grid) {
    aveTemp_ = NamedLabel(QStringLiteral("lblAveTemp"), QString(), this);
    tableVal_ = NamedLabel(QStringLiteral("lblTableVal"), QString(), this);
    testAve_ = NamedLabel(QStringLiteral("lblTestAve"), QString(), this);
    diff_ = NamedLabel(QStringLiteral("lblDiff"), QString(), this);
    tableDate_ = NamedLabel(QStringLiteral("lblTableDate"), QString(), this);
    grid->addWidget(new QLabel(QStringLiteral("Average Temp:"), this), 5, 0);
    grid->addWidget(aveTemp_, 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("Table value:\n@ Average Temp"), this), 5, 2);
    grid->addWidget(tableVal_, 5, 3);
    grid->addWidget(new QLabel(QStringLiteral("Test Average:"), this), 6, 0);
    grid->addWidget(testAve_, 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("Difference based\non Table Dated"), this), 6, 2);
    grid->addWidget(diff_, 6, 3);
    grid->addWidget(tableDate_, 6, 4);
}

void HgtestScreen::BuildButtons(QVBoxLayout* layout) {
    accept_ = new QPushButton(QStringLiteral("&Accept"), this);
    accept_->setObjectName(QStringLiteral("cmmdAccept"));
    done_ = new QPushButton(QStringLiteral("&Done(Save)"), this);
    done_->setObjectName(QStringLiteral("cmmdContinue"));
    startOver_ = new QPushButton(QStringLiteral("&Start Over"), this);
    startOver_->setObjectName(QStringLiteral("cmmdStOver"));
    exit_ = new QPushButton(QStringLiteral("e&Xit:No Save"), this);
    exit_->setObjectName(QStringLiteral("cmmdExit"));
    auto* buttons = new QHBoxLayout();
    for (QPushButton* b : {accept_, done_, startOver_, exit_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(accept_, &QPushButton::clicked, this, &HgtestScreen::Accept);
    connect(done_, &QPushButton::clicked, this, &HgtestScreen::DoneSave);
    // Enter on the focused Done(Save) saves, as the hint screen teaches.
    done_->setAutoDefault(true);
    connect(startOver_, &QPushButton::clicked, this, [this] {
        ResetTest();
        startTemp_->setFocus();
    });
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
}

void HgtestScreen::Run() {
    session_.Run();
}

std::optional<QString> HgtestScreen::AskInitials(const QString& caption, const QStringList& lines) {
    return quillon::AskInitials(&s_.sounds, parentWidget(), caption, lines,
                                s_.settings.ObserverInitials);
}

void HgtestScreen::ShowHint(const QString& title, const QStringList& lines) {
    ContinueDialog hint(QStringLiteral("Hint"), title, lines, QStringLiteral("Continue"),
                        parentWidget());
    hint.exec();
}

void HgtestScreen::RunForm() {
    ResetTest();
    exec();
}

void HgtestScreen::ShowDialog(const MercuryDialogText& text, const QString& button) {
    ContinueDialog dialog(text.name, text.title, text.lines, button, this);
    dialog.exec();
}

void HgtestScreen::ResetTest() {
    setWindowTitle(MercuryCaption(s_.setup, s_.settings.ObserverInitials,
                                  LocalStandardTime(s_.setup, s_.clock.Now())));
    const QStringList lines = MercuryInstructionLines();
    for (int i = 0; i < header_.size(); ++i) {
        header_[i]->setText(i < lines.size() ? lines[i] : QString());
    }
    exit_->setEnabled(true);
    startOver_->setEnabled(true);
    done_->setEnabled(false);
    for (QLineEdit* box : readings_) {
        box->clear();
    }
    startTemp_->clear();
    endTemp_->clear();
    for (QLabel* label : {aveTemp_, tableVal_, testAve_, diff_}) {
        label->clear();
    }
    tableDate_->setText(s_.calibration.QTableDate);
    session_.Reset();
}

MercuryEntries HgtestScreen::Entries() const {
    std::array<QString, 10> readings;
    for (size_t i = 0; i < readings.size(); ++i) {
        readings[i] = readings_[static_cast<int>(i)]->text();
    }
    return MercuryEntriesFrom(readings, startTemp_->text(), endTemp_->text());
}

void HgtestScreen::ShowEvaluation(const MercuryEvaluation& e) {
    if (e.temperaturesAccepted) {
        aveTemp_->setText(FormatNumber(e.averageTemperature, u"+ 0.0"));
        tableVal_->setText(FormatNumber(e.tableValue, u"###.##"));
    }
    for (int i = 0; i < 2 * e.pairs; ++i) {
        readings_[i]->setText(FormatNumber(e.boxes[static_cast<size_t>(i)], u"##.00"));
    }
    testAve_->setText(e.hasAverage ? FormatNumber(e.testAverage, u"#0.00") : QString());
    diff_->setText(e.hasDifference ? FormatNumber(e.difference, u"+#0.00;-#0.00;0.00") : QString());
}

void HgtestScreen::FocusNext(const MercuryEvaluation& e, bool fromAccept) {
    if (fromAccept) {
        readings_[std::min(9, e.upperCount + e.lowerCount)]->setFocus();
    }
}

void HgtestScreen::Evaluate(int caller) {
    done_->setEnabled(false);
    const bool fromAccept = caller < 0;
    const MercuryEvaluation& e = session_.Evaluate(Entries());
    if (e.warning == MercuryWarning::BigTempDiff) {
        startTemp_->setFocus();
        return;
    }
    if (e.pairs == 0) {
        if (e.upperCount != e.lowerCount) {
            FocusNext(e, fromAccept);
        }
        return;
    }
    if (e.warning != MercuryWarning::None) {
        readings_[0]->setFocus();
        return;
    }
    if (e.complete) {
        done_->setEnabled(true);
        done_->setFocus();
    } else if (e.pairs == 5) {
        (startTemp_->text().isEmpty() ? startTemp_ : endTemp_)->setFocus();
    } else {
        FocusNext(e, fromAccept);
    }
}

void HgtestScreen::Accept() {
    Evaluate(-1);
}

void HgtestScreen::DoneSave() {
    if (!session_.CanSave()) {
        return;
    }
    diff_->setText(FormatNumber(session_.Difference(), u"+#0.00;-#0.00;0.00"));
    if (session_.Save()) {
        accept();
    }
}

std::optional<bool> HgtestScreen::CommonKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return false; // moving about and correcting are the box's own
    default:
        // Anything that is not one character is discarded.
        return event->text().size() != 1 ? std::optional<bool>(true) : std::nullopt;
    }
}

bool HgtestScreen::Entered(QLineEdit* edit, const MercuryBoxEntry& entry) {
    if (entry.value) {
        return true;
    }
    header_[8]->setText(entry.message);
    if (entry.clearBox) {
        edit->clear();
    }
    return false;
}

bool HgtestScreen::ReadingKey(int box, QKeyEvent* event) {
    QLineEdit* edit = readings_[box];
    QLabel* message = header_[8];
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (!Entered(edit, CheckMercuryReading(edit->text()))) {
            return true;
        }
        Evaluate(box);
        if (box < 9) {
            readings_[box + 1]->setFocus();
        } else if (startTemp_->text().isEmpty()) {
            startTemp_->setFocus();
        } else if (endTemp_->text().isEmpty()) {
            endTemp_->setFocus();
        } else {
            done_->setEnabled(session_.CanSave()); // never enabled for nothing
            done_->setFocus();
        }
        return true;
    }
    default:
        break;
    }
    if (const std::optional<bool> common = CommonKey(event)) {
        return *common;
    }
    const QChar c = event->text()[0];
    if (c.isDigit()) {
        message->clear();
        return false;
    }
    return !(c == u'.' && !edit->text().contains(u'.'));
}

bool HgtestScreen::TemperatureKey(QLineEdit* edit, QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (!Entered(edit, CheckMercuryTemperature(edit->text()))) {
            return true;
        }
        QLineEdit* other = edit == startTemp_ ? endTemp_ : startTemp_;
        const std::optional<MercuryEvaluation> e =
            session_.TemperatureEntered(startTemp_->text(), endTemp_->text());
        if (!e) {
            other->setFocus();
        } else {
            if (e->warning == MercuryWarning::BigTempDiff) {
                startTemp_->setFocus();
            } else {
                Evaluate(10);
                if (edit == endTemp_ && !done_->isEnabled()) {
                    readings_[0]->setFocus();
                }
            }
        }
        return true;
    }
    default:
        break;
    }
    if (const std::optional<bool> common = CommonKey(event)) {
        return *common;
    }
    const QChar c = event->text()[0];
    if (c == u'+' || c == u'-') {
        edit->setText(DegsCSignKey(edit->text(), c));
        return true;
    }
    if (c == u'.' && edit->text().contains(u'.')) {
        return true;
    }
    return !DegsCAcceptsChar(c);
}

bool HgtestScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int box = readings_.indexOf(static_cast<QLineEdit*>(watched));
        if (box >= 0) {
            return ReadingKey(box, key);
        }
        if (watched == startTemp_ || watched == endTemp_) {
            return TemperatureKey(static_cast<QLineEdit*>(watched), key);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HgtestScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        return; // Enter belongs to the boxes, never to a default button
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillon
