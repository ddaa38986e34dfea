#pragma once

#include "sound/SoundPlayer.h"

namespace quillon {

// Plays through the machine's default audio output with Qt Multimedia.
// Without an audio device it stays silent, says so once on stderr and
// returns at once: a station PC without speakers must still work.
class QtSoundPlayer : public SoundPlayer {
public:
    void Play(int soundNumber, const QByteArray& wav) override;

private:
    void WarnOnce(const QString& why);
    bool warned_ = false;
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
