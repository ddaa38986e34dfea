#pragma once

#include "observe/ObservationChecks.h"

#include <QDialog>
#include <QStringList>

namespace quillon {

// A warning that stops an observation (largeStdDev, NegOzone, Unlkly,
// Exvar) or asks before a difficult one (Warnfi). Space or the button
// closes it; Escape too, with `escaped` set.
class WarningScreen : public QDialog {
    Q_OBJECT
public:
    WarningScreen(const ObservationWarning& warning, const QString& escapeButton,
                  QWidget* parent = nullptr);
    bool escaped = false;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// "Waiting for Observer Prompt.": Continue (Space) or Escape.
class PromptScreen : public QDialog {
    Q_OBJECT
public:
    PromptScreen(const QString& caption, const QString& message, const QStringList& lines,
                 QWidget* parent = nullptr);
    bool escaped = false;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// "Confirm reject of observation.": 0 rejected, 7 accept after all, 1
// reject and choose another type.
class ConfirmRejScreen : public QDialog {
    Q_OBJECT
public:
    explicit ConfirmRejScreen(QWidget* parent = nullptr);
    int choice = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The help line at the foot of the warning screens.
QString HelpContactLine();

} // namespace quillon
