// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <cstdio>

namespace quillon {

namespace {
constexpr int kStreamRate = 22050;
constexpr qint64 kBytesPerSecond = kStreamRate * 2;
} // namespace

CueStream::CueStream() {
    open(QIODevice::ReadOnly);
}

qint64 CueStream::Queue(const QByteArray& samples) {
    queued_ += samples;
    return delivered_ + queued_.size();
}

qint64 CueStream::bytesAvailable() const {
    // Always something to read: the queued sound, then silence.
    return std::max<qint64>(queued_.size(), 4096) + QIODevice::bytesAvailable();
}

qint64 CueStream::readData(char* data, qint64 maxSize) {
    maxSize &= ~qint64(1); // whole 16-bit samples
    const qint64 sound = std::min<qint64>(maxSize, queued_.size());
    std::copy_n(queued_.constData(), sound, data);
    queued_.remove(0, sound);
    std::fill_n(data + sound, maxSize - sound, '\0');
    delivered_ += maxSize;
    soundDelivered_ += sound;
    return maxSize;
}

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() {
    if (sink_) {
        sink_->stop();
    }
}

void QtSoundPlayer::WarnOnce(const QString& why) {
    if (!warned_) {
        std::fprintf(stderr, "quillon: sound is off: %s\n", qPrintable(why));
        warned_ = true;
    }
}

QAudioFormat QtSoundPlayer::StreamFormat() {
    QAudioFormat format;
    format.setSampleRate(kStreamRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

QByteArray QtSoundPlayer::ToStreamFormat(const WavImage& image) {
    const int bytesPerSample = image.bitsPerSample / 8;
    const qsizetype frameBytes = static_cast<qsizetype>(bytesPerSample) * image.channels;
    const qsizetype frames = image.samples.size() / frameBytes;
    if (image.sampleRate == kStreamRate && image.channels == 1 && bytesPerSample == 2) {
        return image.samples.left(frames * 2);
    }
    // The first channel, at the stream's rate (nearest sample), as 16 bits.
    const auto outFrames =
        static_cast<qsizetype>(static_cast<double>(frames) * kStreamRate / image.sampleRate);
    QByteArray out(outFrames * 2, '\0');
    const auto* in = reinterpret_cast<const uchar*>(image.samples.constData());
    for (qsizetype i = 0; i < outFrames; ++i) {
        const qsizetype from = std::min<qsizetype>(
            frames - 1, i * static_cast<qint64>(image.sampleRate) / kStreamRate);
        const uchar* p = in + from * frameBytes;
        const qint16 v = bytesPerSample == 2 ? qFromLittleEndian<qint16>(p)
                                             : static_cast<qint16>((p[0] - 128) << 8);
        qToLittleEndian<qint16>(v, out.data() + 2 * i);
    }
    return out;
}

bool QtSoundPlayer::OpenStream() {
    if (sink_) {
        return true;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        WarnOnce(QStringLiteral("this machine has no audio output"));
        return false;
    }
    stream_ = std::make_unique<CueStream>();
    sink_ = std::make_unique<QAudioSink>(device, StreamFormat());
    // A fifth of a second of buffer: short enough that a cue follows its
    // screen at once, long enough that a busy machine does not stutter.
    sink_->setBufferSize(static_cast<qsizetype>(kBytesPerSecond / 5));
    sink_->start(stream_.get()); // pull mode: the sink reads the stream
    ++streamsOpened_;
    if (sink_->error() != QAudio::NoError) {
        sink_.reset();
        stream_.reset();
        WarnOnce(QStringLiteral("the audio output could not be opened"));
        return false;
    }
    return true;
}

void QtSoundPlayer::Play(int soundNumber, const QByteArray& wav) {
    WavImage image;
    if (!ParseWav(wav, &image)) {
        WarnOnce(QStringLiteral("sound %1 is not a playable recording").arg(soundNumber));
        return;
    }
    if (warned_ || !OpenStream()) {
        return;
    }
    const QByteArray samples = ToStreamFormat(image);
    const qint64 end = stream_->Queue(samples);
    // The sound has ended when the stream has handed all of it to the sound
    // server. Never wait longer than the sound plus a margin, whatever the
    // device does.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (stream_->Delivered() >= end || sink_->error() == QAudio::FatalError) {
            loop.quit();
        }
    });
    poll.start(5);
    const qint64 durationMs = samples.size() * 1000 / kBytesPerSecond;
    QTimer::singleShot(static_cast<int>(durationMs) + 2000, &loop, &QEventLoop::quit);
    if (stream_->Delivered() < end) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (stream_->Delivered() < end) {
        stream_->Clear(); // a stalled device: no old word later, over a new screen
    }
    if (sink_->error() == QAudio::FatalError) {
        WarnOnce(QStringLiteral("the audio output failed"));
    }
}

} // namespace quillon
