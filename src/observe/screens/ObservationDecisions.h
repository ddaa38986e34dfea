// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "observe/ObservationChecks.h"
#include "ui/DecisionScreens.h"

namespace quillon {

// A warning that stops an observation (largeStdDev, NegOzone, Unlkly,
// Exvar) or asks before a difficult one (Warnfi).
class WarningScreen : public ContinueOrEscapeScreen {
    Q_OBJECT
public:
    WarningScreen(const ObservationWarning& warning, const QString& escapeButton,
                  QWidget* parent = nullptr);
};

// "Confirm reject of observation.": rejected, accepted after all, or
// rejected and another type chosen.
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
