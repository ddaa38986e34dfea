// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMutexLocker>
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
    QMutexLocker lock(&mutex_);
    queued_ += samples;
    return delivered_ + queued_.size();
}

void CueStream::Clear() {
    QMutexLocker lock(&mutex_);
    queued_.clear();
}

qint64 CueStream::Delivered() const {
    QMutexLocker lock(&mutex_);
    return delivered_;
}

qint64 CueStream::SoundDelivered() const {
    QMutexLocker lock(&mutex_);
    return soundDelivered_;
}

qint64 CueStream::bytesAvailable() const {
    QMutexLocker lock(&mutex_);
    // Always something to read: the queued sound, then silence.
    return std::max<qint64>(queued_.size(), 4096) + QIODevice::bytesAvailable();
}

qint64 CueStream::readData(char* data, qint64 maxSize) {
    QMutexLocker lock(&mutex_);
    maxSize &= ~qint64(1); // whole 16-bit samples
    const qint64 sound = std::min<qint64>(maxSize, queued_.size());
    std::copy_n(queued_.constData(), sound, data);
    queued_.remove(0, sound);
    std::fill_n(data + sound, maxSize - sound, '\0');
    delivered_ += maxSize;
    soundDelivered_ += sound;
    return maxSize;
}

SoundOutput::SoundOutput(CueStream* stream) : stream_(stream) {}

SoundOutput::~SoundOutput() {
    Stop();
}

bool SoundOutput::Start() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return false;
    }
    sink_ = std::make_unique<QAudioSink>(device, QtSoundPlayer::StreamFormat());
    sink_->setBufferSize(QtSoundPlayer::kBufferBytes);
    failed_ = false;
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && sink_ && sink_->error() != QAudio::NoError) {
            failed_ = true;
        }
    });
    sink_->start(stream_); // pull mode: the sink reads the stream on this thread
    if (sink_->error() != QAudio::NoError) {
        sink_.reset();
        return false;
    }
    return true;
}

void SoundOutput::Stop() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
}

QtSoundPlayer::QtSoundPlayer() : stream_(new CueStream), output_(new SoundOutput(stream_)) {
    thread_.setObjectName(QStringLiteral("sound"));
    stream_->moveToThread(&thread_);
    output_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, output_, &QObject::deleteLater);
    QObject::connect(&thread_, &QThread::finished, stream_, &QObject::deleteLater);
    thread_.start();
}

QtSoundPlayer::~QtSoundPlayer() {
    QMetaObject::invokeMethod(output_, &SoundOutput::Stop, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void QtSoundPlayer::WarnOnce(const QString& why) {
    if (!warned_) {
        std::fprintf(stderr, "quillon: sound: %s\n", qPrintable(why));
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
    if (started_ && !output_->Failed()) {
        return true;
    }
    if (started_) {
        WarnOnce(QStringLiteral("the audio output failed; it is opened again"));
    }
    bool opened = false;
    QMetaObject::invokeMethod(output_, &SoundOutput::Start, Qt::BlockingQueuedConnection, &opened);
    started_ = opened;
    if (!opened) {
        WarnOnce(QStringLiteral("no audio output; the program goes on without sound"));
        return false;
    }
    ++streamsOpened_;
    return true;
}

void QtSoundPlayer::Play(int soundNumber, const QByteArray& wav) {
    WavImage image;
    if (!ParseWav(wav, &image)) {
        WarnOnce(QStringLiteral("sound %1 is not a playable recording").arg(soundNumber));
        return;
    }
    silent_ = !OpenStream();
    if (silent_) {
        return;
    }
    const QByteArray samples = ToStreamFormat(image);
    const qint64 end = stream_->Queue(samples);
    // The sound has ended when the stream has handed all of it to the sound
    // server. The program's events run meanwhile (the operator's keys reach
    // the busy gate); never wait longer than the sound plus a margin,
    // whatever the device does.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (stream_->Delivered() >= end || output_->Failed()) {
            loop.quit();
        }
    });
    poll.start(5);
    const qint64 durationMs = samples.size() * 1000 / kBytesPerSecond;
    QTimer::singleShot(static_cast<int>(durationMs) + 2000, &loop, &QEventLoop::quit);
    if (stream_->Delivered() < end) {
        loop.exec();
    }
    if (stream_->Delivered() < end) {
        stream_->Clear(); // a stalled device: no old word later, over a new screen
    }
}

} // namespace quillon
