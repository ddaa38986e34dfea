// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/screens/QTableScreens.h"

#include "calibration/MercuryTest.h"
#include "calibration/QTable.h"
#include "calibration/QTableReview.h"
#include "ui/ContinueDialog.h"
#include "ui/EntryScreens.h"
#include "ui/ScreenHelpers.h"
#include "util/Format.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

namespace {

// "Inqadj": the adjustment value, -3.5 to 3.5.
class InqadjScreen : public QDialog {
public:
    explicit InqadjScreen(QWidget* parent) : QDialog(parent) {
        setObjectName(QStringLiteral("Inqadj"));
        setWindowTitle(QStringLiteral("Input Value to adjust the Q-table"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(
            QStringLiteral("Please input the amount by which to adjust the Q-table."), this));
        box_ = new QLineEdit(this);
        box_->setObjectName(QStringLiteral("txtAdjValue"));
        box_->installEventFilter(this);
        layout->addWidget(box_);
        error_ = NamedLabel(QStringLiteral("lblErrMsg"), QString(), this);
        layout->addWidget(error_);
        auto* exit = new QPushButton(QStringLiteral("eXit"), this);
        exit->setObjectName(QStringLiteral("cmmdExit"));
        // Enter in the box is the value's; on the focused eXit it leaves.
        connect(exit, &QPushButton::clicked, this, &QDialog::reject);
        layout->addWidget(exit);
    }
    float value = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || event->type() != QEvent::KeyPress) {
            return QDialog::eventFilter(watched, event);
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = box_->text().trimmed();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const AdjustmentEntry entry = CheckAdjustment(box_->text());
            if (!entry.value) {
                error_->setText(entry.message);
                if (entry.clearBox) {
                    box_->clear();
                }
                return true;
            }
            value = *entry.value;
            accept();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Left ||
            key->key() == Qt::Key_Right) {
            return false;
        }
        const QString typed = key->text();
        if (typed.size() != 1) {
            return true;
        }
        const QChar c = typed[0];
        if ((c == u'-' || c == u'+') && !text.isEmpty()) {
            box_->setText(AdjustmentSignKey(text, c));
            return true;
        }
        if (c.isDigit()) {
            error_->clear();
            return false;
        }
        return !(c == u'.' && !box_->text().contains(u'.'));
    }

private:
    QLineEdit* box_;
    QLabel* error_;
};

class AdjQtableScreen : public QDialog, public QTableReviewScreens {
public:
    AdjQtableScreen(Services& s, QWidget* parent) : QDialog(parent), s_(s), review_(s, *this) {
        setObjectName(QStringLiteral("AdjQtable"));
        setWindowTitle(QStringLiteral("Adjust Q-setting table."));
        auto* layout = new QVBoxLayout(this);
        existing_ = new QGroupBox(QStringLiteral("Existing Q values at 15 Degrees C."), this);
        existing_->setObjectName(QStringLiteral("frmExisting"));
        fresh_ = new QGroupBox(QStringLiteral("New Q values at 15 Degrees C."), this);
        fresh_->setObjectName(QStringLiteral("frmNew"));
        const char* names[4] = {"A:", "C:", "D:", "Hg:"};
        for (int f = 0; f < 2; ++f) {
            QGroupBox* frame = f == 0 ? existing_ : fresh_;
            auto* grid = new QGridLayout(frame);
            for (int i = 0; i < 4; ++i) {
                grid->addWidget(NamedLabel(QStringLiteral("lblXQ15_%1").arg(f * 4 + i),
                                           QString::fromLatin1(names[i]), frame),
                                i, 0);
                values_ << NamedLabel(QStringLiteral("lblXQ15val_%1").arg(f * 4 + i),
                                      QStringLiteral("00.0"), frame);
                grid->addWidget(values_.last(), i, 1);
            }
            layout->addWidget(frame);
        }
        for (int i = 0; i < 4; ++i) {
            info_ << NamedLabel(QStringLiteral("lblInfoLine_%1").arg(i), QString(), this);
            layout->addWidget(info_.last());
        }
        accept_ = new QPushButton(QStringLiteral("&Accept"), this);
        accept_->setObjectName(QStringLiteral("cmmdAccept"));
        continue_ = new QPushButton(QStringLiteral("&Continue"), this);
        continue_->setObjectName(QStringLiteral("CmmdContinue"));
        auto* exit = new QPushButton(QStringLiteral("e&Xit"), this);
        exit->setObjectName(QStringLiteral("cmmdExit"));
        for (QPushButton* b : {accept_, continue_, exit}) {
            layout->addWidget(b);
        }
        // Enter presses the focused Continue or e&Xit. Accept writes the new
        // table into inst.cfg: never focused, never the default that Enter
        // would press, only Alt+A or a click.
        accept_->setAutoDefault(false);
        accept_->setFocusPolicy(Qt::NoFocus);
        connect(accept_, &QPushButton::clicked, this, [this] { review_.Accept(); });
        connect(continue_, &QPushButton::clicked, this, [this] { review_.Adjust(); });
        connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    }

    bool Run() { return review_.Run(); }

    void ShowTableInUse() override {
        const Calibration& v = s_.calibration;
        for (QLabel* value : values_) {
            value->setText(QStringLiteral("00.0"));
        }
        fresh_->setVisible(false);
        accept_->setEnabled(false);
        continue_->setEnabled(false);
        existing_->setTitle(QStringLiteral("Existing Q values @ 15 degs C Date:") + v.QTableDate);
        ShowSettings(0, {v.Q15A, v.Q15C, v.Q15D, v.Q15Hg});
        info_[0]->setText(QStringLiteral("The Program is looking for the last"));
        info_[1]->setText(QStringLiteral("three Mercury lamp tests results."));
        info_[2]->clear();
        info_[3]->clear();
        show();
    }

    void ShowProgress(const QString& line) override { info_[2]->setText(line); }

    std::optional<QString> AskInitials(const QString& caption, const QStringList& lines) override {
        return quillon::AskInitials(&s_.sounds, this, caption, lines, s_.settings.ObserverInitials);
    }

    void RunReview(const QReview& review) override {
        for (int i = 0; i < 3; ++i) {
            info_[i]->setText(i < review.testLines.size() ? review.testLines[i] : QString());
        }
        continue_->setText(QStringLiteral("&Continue"));
        continue_->setEnabled(true);
        info_[3]->setText(QStringLiteral("Press Continue to Enter Ajustment value."));
        continue_->setFocus();
        hide();
        exec();
    }

    std::optional<float> AskAdjustment() override {
        InqadjScreen entry(this);
        if (entry.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return entry.value;
    }

    RetryOrCancel AskRetryAdjustment() override {
        // Retry is the default: Space and Enter only ask for the value again;
        // Escape and the close button are Cancel.
        QMessageBox box(QMessageBox::Question,
                        QStringLiteral("Escape was pressed during input of number"),
                        QStringLiteral("Press RETRY to start over, Cancel(ESC) to return to Top "
                                       "Level."),
                        QMessageBox::Retry | QMessageBox::Cancel, this);
        box.setObjectName(QStringLiteral("AdjEscape"));
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Retry ? RetryOrCancel::Retry : RetryOrCancel::Cancel;
    }

    void ShowNewSettings(const QSettings15& settings) override {
        ShowSettings(4, settings);
        fresh_->setVisible(true);
        accept_->setEnabled(true);
        continue_->setText(QStringLiteral("re&Start"));
        continue_->setFocus();
    }

    void ShowChanged(const QStringList& lines) override {
        hide();
        ContinueDialog changed(QStringLiteral("Qchanged"),
                               QStringLiteral("Q table has been Changed!"), lines,
                               QStringLiteral("Continue"), parentWidget());
        changed.exec();
    }

    void CloseReview(bool accepted) override {
        if (accepted) {
            accept();
        } else {
            reject();
        }
        hide();
    }

private:
    void ShowSettings(int first, const QSettings15& q) {
        values_[first]->setText(FormatNumber(q.a, u"##.00"));
        values_[first + 1]->setText(FormatNumber(q.c, u"##.00"));
        values_[first + 2]->setText(FormatNumber(q.d, u"###.00"));
        values_[first + 3]->setText(FormatNumber(q.hg, u"##.00"));
    }

    Services& s_;
    QGroupBox* existing_;
    QGroupBox* fresh_;
    QList<QLabel*> values_;
    QList<QLabel*> info_;
    QPushButton* accept_;
    QPushButton* continue_;
    QTableReview review_;
};

} // namespace

void RunQTableReview(Services& s, QWidget* parent) {
    AdjQtableScreen screen(s, parent);
    screen.Run();
}

namespace {
// "PrintQtable": the file the table goes to, Space to write it.
class PrintQtableScreen : public PrintQTableScreens {
public:
    explicit PrintQtableScreen(QWidget* parent) : parent_(parent) {}
    ContinueOrEscape ConfirmTableFile(const QString& path) override {
        QDialog screen(parent_);
        screen.setObjectName(QStringLiteral("PrintQtable"));
        screen.setWindowTitle(
            QStringLiteral("Print a Q setting table based on existing parameters"));
        auto* layout = new QVBoxLayout(&screen);
        auto* text =
            new QLabel(QStringLiteral("Print this file from DOS to get a TABLE OF SETTINGS OF "
                                      "Q, based on the parameters the program is using.  The "
                                      "page must have at least 80 characters per line and 66 "
                                      "lines."),
                       &screen);
        text->setWordWrap(true);
        layout->addWidget(text);
        layout->addWidget(new QLabel(QStringLiteral("System will create file:"), &screen));
        layout->addWidget(NamedLabel(QStringLiteral("lblQfile"), path, &screen));
        auto* go = new QPushButton(QStringLiteral("Press Space bar to continue"), &screen);
        go->setObjectName(QStringLiteral("cmmdCont"));
        auto* exit = new QPushButton(
            QStringLiteral("e&Xit or Escape to leave with out making file."), &screen);
        exit->setObjectName(QStringLiteral("cmmdExit"));
        exit->setAutoDefault(false);
        layout->addWidget(go);
        layout->addWidget(exit);
        QObject::connect(go, &QPushButton::clicked, &screen, &QDialog::accept);
        QObject::connect(exit, &QPushButton::clicked, &screen, &QDialog::reject);
        go->setFocus();
        return screen.exec() == QDialog::Accepted ? ContinueOrEscape::Continue
                                                  : ContinueOrEscape::Escape;
    }

private:
    QWidget* parent_;
};
} // namespace

void RunPrintQTable(Services& s, QWidget* parent) {
    PrintQtableScreen screens(parent);
    PrintQTable(s.setup, s.calibration, s.clock, s.messages, screens);
}

} // namespace quillon
