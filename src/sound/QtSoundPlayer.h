#pragma once

#include "sound/SoundPlayer.h"

#include <QAudioFormat>
#include <QByteArray>
#include <memory>

class QAudioSink;

namespace quillon {

// Plays through the machine's default audio output with Qt Multimedia.
// Without an audio device it stays silent, says so once on stderr and
// returns at once: a station PC without speakers must still work.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void Play(int soundNumber, const QByteArray& wav) override;

private:
    void WarnOnce(const QString& why);
    bool warned_ = false;
    // One output stream for all the sounds (they share one format): the
    // sound server's thread reports a stream's state after it is stopped,
    // so a stream made and destroyed for every word is reported on after
    // it is gone.
    std::unique_ptr<QAudioSink> sink_;
    QAudioFormat format_;
    QByteArray deviceId_;
};

// The PCM layout and samples of a WAV image; false when it is not one.
struct WavImage {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray samples;
};
bool ParseWav(const QByteArray& wav, WavImage* image);

} // namespace quillon
