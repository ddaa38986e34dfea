// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundPlayer.h"
#include "support/QtPrinters.h"
#include "util/OperatorMessages.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace quillon::test {

// Records the message boxes the core would show; questions get `answer`.
// A test names the boxes it expects (by title): any other box fails the
// test at once, and an expected box that never came fails it at the end.
class RecordingMessages : public OperatorMessages {
public:
    ~RecordingMessages() override {
        if (!expected_.isEmpty()) {
            ADD_FAILURE() << "Expected message boxes never shown: "
                          << expected_.join(", ").toStdString();
        }
    }
    void Expect(const QString& title, int times = 1) {
        for (int i = 0; i < times; ++i) {
            expected_ << title;
        }
    }
    void Show(const QString& text, const QString& title) override {
        titles << title;
        texts << text;
        if (!expected_.removeOne(title)) {
            ADD_FAILURE() << "Unexpected message box \"" << title.toStdString()
                          << "\": " << text.toStdString();
        }
    }
    bool AskYesNo(const QString& text, const QString& title) override {
        Show(text, title);
        return answer;
    }
    QStringList titles;
    QStringList texts;
    bool answer = false;

private:
    QStringList expected_;
};

// Records the sound numbers played, instead of playing them.
class RecordingPlayer : public SoundPlayer {
public:
    void Play(int soundNumber, const QByteArray& wav) override {
        played.push_back(soundNumber);
        sizes.push_back(wav.size());
    }
    std::vector<int> played;
    std::vector<qsizetype> sizes;
};

} // namespace quillon::test
