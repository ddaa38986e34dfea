// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundPlayer.h"
#include "sound/WavImage.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QIODevice>
#include <memory>

class QAudioSink;

namespace quillon {

// The program's one audio stream: it hands the sink the queued sound
// samples, and silence while none are queued, so the stream never runs dry
// and never has to be reopened between two words.
class CueStream : public QIODevice {
public:
    CueStream();
    // Queues samples in the stream's format; returns the stream position at
    // which they end.
    qint64 Queue(const QByteArray& samples);
    // Drops what is queued and not yet handed to the sink.
    void Clear() { queued_.clear(); }
    // Bytes handed to the sink so far, silence included.
    qint64 Delivered() const { return delivered_; }
    // Bytes of sound (not silence) handed to the sink so far.
    qint64 SoundDelivered() const { return soundDelivered_; }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray queued_;
    qint64 delivered_ = 0;
    qint64 soundDelivered_ = 0;
};

// Plays through the machine's default audio output with Qt Multimedia, on
// one stream opened at the first sound and kept for the program's life: a
// sound server that saw a stream made and destroyed for every spoken word
// (145 in one observation) reported on streams already gone. Without an
// audio device it stays silent, says so once on stderr and returns at
// once: a station PC without speakers must still work.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void Play(int soundNumber, const QByteArray& wav) override;

    // For the tests: whether the player gave up on sound, how many streams
    // it opened, and how much sound it has handed to the stream.
    bool Silent() const { return warned_; }
    int StreamsOpened() const { return streamsOpened_; }
    qint64 SoundBytesPlayed() const { return stream_ ? stream_->SoundDelivered() : 0; }

    // The stream's format: every recording of the program is 22,050 Hz mono
    // 16-bit; another layout is converted to it.
    static QAudioFormat StreamFormat();
    static QByteArray ToStreamFormat(const WavImage& image);

private:
    bool OpenStream();
    void WarnOnce(const QString& why);
    bool warned_ = false;
    int streamsOpened_ = 0;
    std::unique_ptr<CueStream> stream_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace quillon
