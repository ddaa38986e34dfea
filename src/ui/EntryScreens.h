// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/SharedVars.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QList>

namespace quillon {

class Sounds;

// Base of the three entry screens: Enter tries to accept, Escape leaves with
// the escape flag (DialogChoice = 1), keys are filtered as they are typed.
class EntryScreen : public QDialog {
    Q_OBJECT
public:
    EntryScreen(SharedVars& vars, Sounds* sounds, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Closing the window by its title bar is Escape.
    void reject() override;
    void Escape();

    virtual void Enter() = 0;
    // True when the key was handled (inserted, changed or discarded).
    virtual bool FilterKey(QKeyEvent* event) = 0;
    virtual void PlayOpeningCue() = 0;

    SharedVars& vars_;
    Sounds* sounds_;
    QLineEdit* box_ = nullptr;
    QLabel* error_ = nullptr;
};

// "Get Instrument Temperature".
class GetDegsCScreen : public EntryScreen {
    Q_OBJECT
public:
    GetDegsCScreen(SharedVars& vars, Sounds* sounds, QWidget* parent = nullptr);
    // Instruction lines lblL1(0) to lblL1(6).
    QList<QLabel*> lines;

protected:
    void Enter() override;
    bool FilterKey(QKeyEvent* event) override;
    void PlayOpeningCue() override;
};

// "Get Initials".
class GetInitialsScreen : public EntryScreen {
    Q_OBJECT
public:
    GetInitialsScreen(SharedVars& vars, Sounds* sounds, QWidget* parent = nullptr);
    // Instruction lines lblL1(0) to lblL1(12).
    QList<QLabel*> lines;

protected:
    void Enter() override;
    bool FilterKey(QKeyEvent* event) override;
    void PlayOpeningCue() override;
};

// "Place a comment in the day file."
class AddCommentScreen : public EntryScreen {
    Q_OBJECT
public:
    AddCommentScreen(SharedVars& vars, Sounds* sounds, QWidget* parent = nullptr);

protected:
    void Enter() override;
    bool FilterKey(QKeyEvent* event) override;
    void PlayOpeningCue() override;
};

// The initials and the temperature entries with a caption and instruction
// lines (a caption left empty keeps the screen's own); false when the
// operator escaped.
bool AskInitials(SharedVars& vars, Sounds* sounds, QWidget* parent, const QString& caption,
                 const QStringList& lines);
bool AskTemperature(SharedVars& vars, Sounds* sounds, QWidget* parent, const QString& caption,
                    const QStringList& lines);

// The "&Comment" entries of the menus: the comment screen, then the comment
// record in the day file when the operator entered one.
void RunCommentEntry(SharedVars& vars, const Clock& clock, OperatorMessages& messages,
                     Sounds* sounds, QWidget* parent);

} // namespace quillon
