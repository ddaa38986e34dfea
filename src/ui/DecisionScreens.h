// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "observe/ObservationChecks.h"

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

// A warning that stops an observation (largeStdDev, NegOzone, Unlkly,
// Exvar) or asks before a difficult one (Warnfi).
class WarningScreen : public ContinueOrEscapeScreen {
    Q_OBJECT
public:
    WarningScreen(const ObservationWarning& warning, const QString& escapeButton,
                  QWidget* parent = nullptr);
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

// "Confirm reject of observation.": 0 rejected, 7 accept after all, 1
// reject and choose another type.
class ConfirmRejScreen : public QDialog {
    Q_OBJECT
public:
    explicit ConfirmRejScreen(QWidget* parent = nullptr);
    enum class Choice { Reject, Accept, RejectAndChooseType };
    Choice choice = Choice::Reject;
    // Closing the window by its title bar is Escape: reject and choose
    // another type, as the Escape key does.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The help line at the foot of the warning screens.
QString HelpContactLine();

} // namespace quillon
