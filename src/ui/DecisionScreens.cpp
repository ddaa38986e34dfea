// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DecisionScreens.h"

#include "ui/ScreenHelpers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

namespace {
QLabel* Wrapped(const QString& text, QWidget* parent, const QString& name = QString()) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setObjectName(name);
    return label;
}
} // namespace

QString HelpContactLine() {
    return QStringLiteral("Help: ask your network's Dobson station coordinator.");
}

void ContinueOrEscapeScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Escape();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ContinueOrEscapeScreen::Escape() {
    reject();
}

void ContinueOrEscapeScreen::reject() {
    escaped = true;
    QDialog::reject();
}

void ConfirmRejScreen::reject() {
    choice = Choice::RejectAndChooseType;
    QDialog::reject();
}

WarningScreen::WarningScreen(const ObservationWarning& warning, const QString& escapeButton,
                             QWidget* parent)
    : ContinueOrEscapeScreen(parent) {
    setObjectName(warning.screen);
    setWindowTitle(warning.title);
    WidenToTitle(this, 560);
    auto* layout = new QVBoxLayout(this);
    if (!warning.caption.isEmpty()) {
        QLabel* caption = Wrapped(warning.caption, this, QStringLiteral("lblCaption"));
        QFont font = caption->font();
        font.setBold(true);
        caption->setFont(font);
        layout->addWidget(caption);
    }
    int i = 0;
    for (const QString& line : warning.lines) {
        layout->addWidget(Wrapped(line, this, QStringLiteral("lblText%1").arg(i++)));
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
    layout->addWidget(Wrapped(HelpContactLine(), this, QStringLiteral("lblHelp")));
    go->setFocus();
}

PromptScreen::PromptScreen(const QString& caption, const QString& message, const QStringList& lines,
                           QWidget* parent, const QString& stopText)
    : ContinueOrEscapeScreen(parent) {
    setObjectName(QStringLiteral("ObsvrPrompt"));
    setWindowTitle(caption);
    WidenToTitle(this);
    auto* layout = new QVBoxLayout(this);
    QLabel* text = Wrapped(message, this, QStringLiteral("lblMessage"));
    QFont font = text->font();
    font.setPointSize(font.pointSize() + 4);
    text->setFont(font);
    layout->addWidget(text);
    for (const QString& line : lines) {
        layout->addWidget(Wrapped(line, this));
    }
    auto* go = new QPushButton(QStringLiteral("Continue: Space Bar"), this);
    go->setObjectName(QStringLiteral("cmmdContinue"));
    connect(go, &QPushButton::clicked, this, &QDialog::accept);
    auto* stop = new QPushButton(stopText, this);
    stop->setObjectName(QStringLiteral("cmmdEscape"));
    stop->setAutoDefault(false);
    connect(stop, &QPushButton::clicked, this, &PromptScreen::Escape);
    layout->addWidget(go);
    layout->addWidget(stop);
    go->setFocus();
}

ConfirmRejScreen::ConfirmRejScreen(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConfirmRej"));
    setWindowTitle(QStringLiteral("Confirm reject of observation."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        Wrapped(QStringLiteral("Reject was pressed, Press Spacebar to confirm."), this));
    layout->addWidget(Wrapped(QStringLiteral("Alt+A to Accept Observation."), this));
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
