#include "sound/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>
#include <cstdio>

namespace quillon {

bool ParseWav(const QByteArray& wav, WavImage* image) {
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE") {
        return false;
    }
    qsizetype pos = 12;
    bool haveFormat = false;
    while (pos + 8 <= wav.size()) {
        const QByteArray id = wav.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(wav.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= wav.size()) {
            const auto* p = reinterpret_cast<const uchar*>(wav.constData() + body);
            if (qFromLittleEndian<quint16>(p) != 1) { // PCM only
                return false;
            }
            image->channels = qFromLittleEndian<quint16>(p + 2);
            image->sampleRate = static_cast<int>(qFromLittleEndian<quint32>(p + 4));
            image->bitsPerSample = qFromLittleEndian<quint16>(p + 14);
            haveFormat = true;
        } else if (id == "data") {
            const qsizetype available = qMin<qsizetype>(size, wav.size() - body);
            image->samples = wav.mid(body, available);
            return haveFormat && image->channels > 0 && image->sampleRate > 0 &&
                   (image->bitsPerSample == 8 || image->bitsPerSample == 16);
        }
        pos = body + size + (size & 1);
    }
    return false;
}

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::WarnOnce(const QString& why) {
    if (!warned_) {
        std::fprintf(stderr, "quillon: sound is off: %s\n", qPrintable(why));
        warned_ = true;
    }
}

void QtSoundPlayer::Play(int soundNumber, const QByteArray& wav) {
    WavImage image;
    if (!ParseWav(wav, &image)) {
        WarnOnce(QStringLiteral("sound %1 is not a playable recording").arg(soundNumber));
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        WarnOnce(QStringLiteral("this machine has no audio output"));
        return;
    }
    QAudioFormat format;
    format.setSampleRate(image.sampleRate);
    format.setChannelCount(image.channels);
    format.setSampleFormat(image.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (!sink_ || format_ != format || deviceId_ != device.id()) {
        sink_ = std::make_unique<QAudioSink>(device, format);
        format_ = format;
        deviceId_ = device.id();
    }
    QAudioSink& sink = *sink_;
    // A buffer that holds the whole (short) sound: the sound server never
    // runs dry in the middle of a word and stalls.
    sink.setBufferSize(image.samples.size());
    QIODevice* output = sink.start(); // push mode: we feed the device ourselves
    if (!output || sink.error() != QAudio::NoError) {
        WarnOnce(QStringLiteral("the audio output could not be opened"));
        return;
    }
    // The sound has ended when all of it is written and the device has
    // played it. Never wait longer than the sound plus a margin, whatever
    // the device does.
    const qint64 bytesPerSecond =
        static_cast<qint64>(image.sampleRate) * image.channels * (image.bitsPerSample / 8);
    const qint64 durationUs = image.samples.size() * 1000000 / bytesPerSecond;
    qint64 written = 0;
    QEventLoop loop;
    QTimer feed;
    auto pump = [&] {
        const qint64 room = sink.bytesFree();
        if (written < image.samples.size() && room > 0) {
            const qint64 chunk = qMin(room, image.samples.size() - written);
            const qint64 n = output->write(image.samples.constData() + written, chunk);
            if (n > 0) {
                written += n;
            }
        }
        if ((written >= image.samples.size() && sink.processedUSecs() >= durationUs) ||
            sink.error() == QAudio::IOError || sink.error() == QAudio::FatalError) {
            loop.quit();
        }
    };
    QObject::connect(&feed, &QTimer::timeout, &loop, pump);
    feed.start(5);
    pump();
    QTimer::singleShot(static_cast<int>(durationUs / 1000) + 2000, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    sink.stop();
}

} // namespace quillon
