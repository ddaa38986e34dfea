#pragma once

#include "sound/SoundPlayer.h"
#include "support/QtPrinters.h"
#include "util/OperatorMessages.h"

#include <QStringList>
#include <vector>

namespace quillon::test {

// Records the message boxes the core would show; questions get `answer`.
class RecordingMessages : public OperatorMessages {
public:
    void Show(const QString& text, const QString& title) override {
        titles << title;
        texts << text;
    }
    bool AskYesNo(const QString& text, const QString& title) override {
        Show(text, title);
        return answer;
    }
    QStringList titles;
    QStringList texts;
    bool answer = false;
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
