// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DecisionScreens.h"

#include "ui/ScreenHelpers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

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

PromptScreen::PromptScreen(const QString& caption, const QString& message, const QStringList& lines,
                           QWidget* parent, const QString& stopText)
    : ContinueOrEscapeScreen(parent) {
    setObjectName(QStringLiteral("ObsvrPrompt"));
    setWindowTitle(caption);
    WidenToTitle(this);
    auto* layout = new QVBoxLayout(this);
    QLabel* text = WrappedLabel(message, this, QStringLiteral("lblMessage"));
    QFont font = text->font();
    font.setPointSize(font.pointSize() + 4);
    text->setFont(font);
    layout->addWidget(text);
    for (const QString& line : lines) {
        layout->addWidget(WrappedLabel(line, this));
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

} // namespace quillon
