// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedOperator.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace quillon::test {

QList<ScriptedOperator*>& ScriptedOperator::Active() {
    static QList<ScriptedOperator*> active;
    return active;
}

ScriptedOperator::ScriptedOperator() {
    Active() << this;
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start(2);
}

ScriptedOperator::~ScriptedOperator() {
    Active().removeAll(this);
    for (const Expected& expected : answers_) {
        ADD_FAILURE() << "The screen " << expected.name.toStdString() << " never came";
    }
}

void ScriptedOperator::On(const QString& name, Answer answer) {
    answers_ << Expected{name, {}, std::move(answer)};
}

void ScriptedOperator::When(const QString& name, Ready ready, Answer answer) {
    answers_ << Expected{name, std::move(ready), std::move(answer)};
}

void ScriptedOperator::Look() {
    if (Active().isEmpty() || Active().last() != this) {
        waiting_.invalidate();
        return; // a later operator answers for now
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        return;
    }
    if (ignored_.contains(modal->objectName())) {
        waiting_.invalidate(); // the test drives it: nothing is late meanwhile
        return;
    }
    if (modal->property("answered").toBool()) {
        // An answer that left its screen waiting (a key the screen ignores)
        // would hang the test: the screen is closed as an unexpected one.
        if (stalled_ != modal) {
            stalled_ = modal;
            stalledFor_.start();
        } else if (stalledFor_.elapsed() > 2000) {
            ADD_FAILURE() << "The answer left the screen " << modal->objectName().toStdString()
                          << " open";
            modal->close();
            stalled_ = nullptr;
        }
        return;
    }
    stalled_ = nullptr;
    if (!answers_.isEmpty() && answers_.first().name == modal->objectName() &&
        (!answers_.first().ready || answers_.first().ready(modal))) {
        // A screen answered once is marked; one answered by its states
        // stays open for the next.
        modal->setProperty("answered", !answers_.first().ready);
        seen_ << modal->objectName();
        const Answer answer = answers_.takeFirst().answer;
        QTimer::singleShot(0, modal, [answer, modal] { answer(modal); });
        waiting_.invalidate();
        return;
    }
    // A guard against a hung test, not a measurement: the test fails on an
    // unexpected screen however long it took to notice it.
    if (!waiting_.isValid()) {
        waiting_.start();
    } else if (waiting_.elapsed() > 2000) {
        ADD_FAILURE() << "No answer for the screen " << modal->objectName().toStdString();
        modal->setProperty("answered", true);
        modal->close();
        waiting_.invalidate();
    }
}

ScriptedOperator::Answer Press(int key, Qt::KeyboardModifiers modifiers) {
    return [key, modifiers](QWidget* screen) {
        // The focused widget of the screen, as the window system would
        // send the key there (offscreen a window may not be the active one).
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != screen) {
            target = screen->focusWidget() ? screen->focusWidget() : screen;
        }
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    };
}

ScriptedOperator::Answer Click(const QString& button) {
    return [button](QWidget* screen) {
        auto* b = screen->findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button.toStdString();
        b->click();
    };
}

ScriptedOperator::Answer CloseWindow() {
    return [](QWidget* screen) { screen->close(); };
}

} // namespace quillon::test
