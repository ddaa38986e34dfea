// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

namespace quillon {

// A screen left with the Space bar (go on) or Escape (`escaped` set).
class ContinueOrEscapeScreen : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    bool escaped = false;

    // Closing the window by its title bar is Escape.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void Escape();
};

// "Waiting for Observer Prompt.": Continue (Space) or Escape.
class PromptScreen : public ContinueOrEscapeScreen {
    Q_OBJECT
public:
    // `stopText` names what Escape stops: each workflow names its own.
    PromptScreen(const QString& caption, const QString& message, const QStringList& lines,
                 QWidget* parent = nullptr,
                 const QString& stopText = QStringLiteral("Escape key will stop Observation"));
};

} // namespace quillon
