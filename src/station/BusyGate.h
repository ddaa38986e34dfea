// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace quillon {

// Knows whether a tick's dial read, an archive transfer pass or a workflow
// is running. The long sequences wait in nested event loops; an operator
// command that arrives meanwhile (a menu entry, a shortcut, the close
// button) must not run inside them, so it waits here until the gate is
// free again and then runs from the event loop.
//
// At most one command waits: the latest. An operator who presses F1 three
// times during a slow transfer means one observation, and one who presses
// F1 and then F2 has changed his mind.
class BusyGate {
public:
    // Holds the gate for as long as it lives; holds nest. `what` names the
    // work for the message line ("the transfer"); the innermost named hold
    // is the one shown.
    class Hold {
    public:
        explicit Hold(BusyGate& gate, const QString& what = {});
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        BusyGate& gate_;
        bool named_;
    };

    bool IsBusy() const { return depth_ > 0; }

    // Runs `command` at once when nothing is running; otherwise keeps it, in
    // place of any command already waiting, until the last hold ends. The
    // command runs under a hold of its own, named `name`.
    void Run(std::function<void()> command, const QString& name = {});

    // Commands waiting for the gate (0 or 1).
    int Waiting() const { return waiting_ ? 1 : 0; }
    // "Waiting: ADDSGQP after the transfer", or empty when nothing waits.
    QString WaitingText() const;
    // The operator's Escape: the waiting command is dropped. False when
    // nothing was waiting.
    bool DropWaiting();
    // Told whenever the waiting command or the work it waits for changes
    // (the main screen shows WaitingText on its message line).
    void SetWaitingObserver(std::function<void()> observer) { observer_ = std::move(observer); }

private:
    struct Pending {
        QString name;
        std::function<void()> command;
    };
    void Release();
    void RunWaiting();
    void Notify();

    QObject context_; // ends a scheduled run with the gate
    int depth_ = 0;
    bool flushScheduled_ = false;
    std::optional<Pending> waiting_;
    QStringList work_; // the named holds, innermost last
    std::function<void()> observer_;
};

} // namespace quillon
