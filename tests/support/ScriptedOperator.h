// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include <QWidget>

namespace quillon::test {

// The operator of a screen test: answers each modal screen by its name, in
// the order given. A screen it was not told of fails the test and is closed
// within two seconds (so a test never hangs on it), and an expected screen
// that never came fails the test when the operator goes. Operators nest:
// the latest one made answers, and an earlier one waits until it goes.
// Every screen test runs under one with no answers, so a screen that no
// test named fails it.
class ScriptedOperator {
public:
    using Answer = std::function<void(QWidget*)>;
    ScriptedOperator();
    ~ScriptedOperator();
    ScriptedOperator(const ScriptedOperator&) = delete;
    ScriptedOperator& operator=(const ScriptedOperator&) = delete;

    using Ready = std::function<bool(QWidget*)>;
    // Expects the screen named `name` next, and answers it with `answer`.
    void On(const QString& name, Answer answer);
    // Expects the screen named `name` next, and answers it once `ready`
    // holds for it: a screen that stays open through several states (the
    // observation screen: start, accept, leave) takes one such answer per
    // state, in order.
    void When(const QString& name, Ready ready, Answer answer);
    // A screen the test drives itself (the wait gauge of a measurement):
    // never answered, never an unexpected one.
    void Ignore(const QString& name) { ignored_ << name; }
    // The screens answered so far, in order.
    const QStringList& Seen() const { return seen_; }

private:
    void Look();
    // The operators in their order of making; only the last one answers.
    static QList<ScriptedOperator*>& Active();
    QTimer timer_;
    struct Expected {
        QString name;
        Ready ready; // none: the screen is answered once, as it opens
        Answer answer;
    };
    QList<Expected> answers_;
    QStringList seen_;
    QStringList ignored_;
    QElapsedTimer waiting_;
    QPointer<QWidget> stalled_;
    QElapsedTimer stalledFor_;
};

// Presses a key on a screen, as an answer.
ScriptedOperator::Answer Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Clicks the named button, as an answer.
ScriptedOperator::Answer Click(const QString& button);
// Closes the screen by its title bar, as an answer.
ScriptedOperator::Answer CloseWindow();

} // namespace quillon::test
