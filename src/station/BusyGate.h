#pragma once

#include <QObject>
#include <deque>
#include <functional>

namespace quillon {

// Knows whether a tick's dial read, an archive transfer pass or a workflow
// is running. The long sequences wait in nested event loops; an operator
// command that arrives meanwhile (a menu entry, a shortcut, the close
// button) must not run inside them, so it waits here until the gate is
// free again and then runs from the event loop, in the order it came.
class BusyGate {
public:
    // Holds the gate for as long as it lives; holds nest.
    class Hold {
    public:
        explicit Hold(BusyGate& gate);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        BusyGate& gate_;
    };

    bool IsBusy() const { return depth_ > 0; }

    // Runs `command` at once when nothing is running; otherwise keeps it
    // until the last hold ends. The command runs under a hold of its own.
    void Run(std::function<void()> command);

    // Commands waiting for the gate.
    int Waiting() const { return static_cast<int>(waiting_.size()); }

private:
    void Release();
    void RunWaiting();

    QObject context_; // ends a scheduled run with the gate
    int depth_ = 0;
    bool flushScheduled_ = false;
    std::deque<std::function<void()>> waiting_;
};

} // namespace quillon
