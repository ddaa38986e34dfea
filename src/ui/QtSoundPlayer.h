// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundPlayer.h"
#include "sound/WavImage.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QIODevice>
#include <QMutex>
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

class QAudioSink;

namespace quillon {

// The program's one audio stream: it hands the sink the queued sound
// samples, and silence while none are queued, so the stream never runs dry
// and never has to be reopened between two words. The screen thread
// queues; the sound thread's sink reads.
class CueStream : public QIODevice {
public:
    CueStream();
    // Queues samples in the stream's format; returns the stream position at
    // which they end.
    qint64 Queue(const QByteArray& samples);
    // Drops what is queued and not yet handed to the sink.
    void Clear();
    // Bytes handed to the sink so far, silence included.
    qint64 Delivered() const;
    // Bytes of sound (not silence) handed to the sink so far.
    qint64 SoundDelivered() const;
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    mutable QMutex mutex_;
    QByteArray queued_;
    qint64 delivered_ = 0;
    qint64 soundDelivered_ = 0;
};

// The sink on the sound thread, pulling from the stream there: the screen
// thread may be busy for a second and the sink still reads on time.
class SoundOutput : public QObject {
    Q_OBJECT
public:
    explicit SoundOutput(CueStream* stream);
    ~SoundOutput() override;
    // Opens the sink on the default output and starts it (again after the
    // sound server went away). False without an audio output.
    Q_INVOKABLE bool Start();
    Q_INVOKABLE void Stop();
    // The sink stopped with an error: the next sound opens it again.
    bool Failed() const { return failed_.load(); }

private:
    CueStream* stream_;
    std::unique_ptr<QAudioSink> sink_;
    std::atomic<bool> failed_{false};
};

// Plays through the machine's default audio output with Qt Multimedia, on
// one stream opened at the first sound and kept for the program's life: a
// sound server that saw a stream made and destroyed for every spoken word
// (145 in one observation) reported on streams already gone. The sink runs
// on a thread of its own with half a second of buffer, so a busy screen
// thread never cuts a cue; Play returns when the sound has been handed to
// the sound server, keeping each cue's place in the workflow, and the
// operator's keys run on meanwhile. Without an audio device it stays
// silent, says so once on stderr and returns at once: a station PC without
// speakers must still work. A warning never silences the sounds after it.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void Play(int soundNumber, const QByteArray& wav) override;

    // For the tests: whether the last sound found no output, how many
    // streams it opened, and how much sound it has handed to the stream.
    bool Silent() const { return silent_; }
    int StreamsOpened() const { return streamsOpened_; }
    qint64 SoundBytesPlayed() const { return stream_->SoundDelivered(); }

    // The stream's format: every recording of the program is 22,050 Hz mono
    // 16-bit; another layout is converted to it.
    static QAudioFormat StreamFormat();
    static QByteArray ToStreamFormat(const WavImage& image);
    // The sink's buffer: half a second.
    static constexpr qsizetype kBufferBytes = 22050;

private:
    bool OpenStream();
    void WarnOnce(const QString& why);
    bool warned_ = false;
    bool silent_ = false;
    bool started_ = false;
    int streamsOpened_ = 0;
    QThread thread_;
    CueStream* stream_;   // lives on the sound thread
    SoundOutput* output_; // lives on the sound thread
};

} // namespace quillon
