// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/screens/ObservationDecisions.h"

#include "ui/ScreenHelpers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

QString HelpContactLine() {
    return QStringLiteral("Help: ask your network's Dobson station coordinator.");
}

WarningScreen::WarningScreen(const ObservationWarning& warning, const QString& escapeButton,
                             QWidget* parent)
    : ContinueOrEscapeScreen(parent) {
    setObjectName(warning.screen);
    setWindowTitle(warning.title);
    WidenToTitle(this, 560);
    auto* layout = new QVBoxLayout(this);
    if (!warning.caption.isEmpty()) {
        QLabel* caption = WrappedLabel(warning.caption, this, QStringLiteral("lblCaption"));
        QFont font = caption->font();
        font.setBold(true);
        caption->setFont(font);
        layout->addWidget(caption);
    }
    int i = 0;
    for (const QString& line : warning.lines) {
        layout->addWidget(WrappedLabel(line, this, QStringLiteral("lblText%1").arg(i++)));
    }
    auto* go = new QPushButton(warning.button, this);
    go->setObjectName(QStringLiteral("cmmdContinue"));
    connect(go, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(go);
    if (!escapeButton.isEmpty()) {
        auto* escape = new QPushButton(escapeButton, this);
        escape->setObjectName(QStringLiteral("cmmdEscape"));
        escape->setAutoDefault(false);
        connect(escape, &QPushButton::clicked, this, &WarningScreen::Escape);
        layout->addWidget(escape);
    }
    layout->addWidget(WrappedLabel(HelpContactLine(), this, QStringLiteral("lblHelp")));
    go->setFocus();
}

ConfirmRejScreen::ConfirmRejScreen(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConfirmRej"));
    setWindowTitle(QStringLiteral("Confirm reject of observation."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        WrappedLabel(QStringLiteral("Reject was pressed, Press Spacebar to confirm."), this));
    layout->addWidget(WrappedLabel(QStringLiteral("Alt+A to Accept Observation."), this));
    auto* yes = new QPushButton(QStringLiteral("Yes, Reject"), this);
    yes->setObjectName(QStringLiteral("cmmdYes"));
    auto* accept = new QPushButton(QStringLiteral("no, &Accept"), this);
    accept->setObjectName(QStringLiteral("cmmdAccept"));
    auto* escape =
        new QPushButton(QStringLiteral("Escape to Reject and Select another Observation"), this);
    escape->setObjectName(QStringLiteral("cmmdEscape"));
    connect(yes, &QPushButton::clicked, this, [this] {
        choice = Choice::Reject;
        QDialog::accept();
    });
    connect(accept, &QPushButton::clicked, this, [this] {
        choice = Choice::Accept;
        QDialog::accept();
    });
    connect(escape, &QPushButton::clicked, this, [this] {
        choice = Choice::RejectAndChooseType;
        QDialog::accept();
    });
    for (QPushButton* b : {yes, accept, escape}) {
        b->setAutoDefault(false);
        layout->addWidget(b);
    }
    yes->setFocus();
}

void ConfirmRejScreen::reject() {
    choice = Choice::RejectAndChooseType;
    QDialog::reject();
}

void ConfirmRejScreen::keyPressEvent(QKeyEvent* event) {
    // Space and Enter confirm the reject, which writes nothing; accepting
    // the observation after all writes its record and takes Alt+A.
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        choice = Choice::Reject;
        accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillon
