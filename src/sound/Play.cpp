#include "sound/Play.h"

#include "util/Constants.h"

#include <QFile>
#include <cmath>
#include <cstdlib>

static void InitSoundResources() {
    Q_INIT_RESOURCE(sounds);
}

namespace quillon {

QByteArray SoundResource(int number) {
    static const bool initialised = [] {
        InitSoundResources();
        return true;
    }();
    (void)initialised;
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(number));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void Sounds::PlaySound(int number) {
    player_.Play(number, SoundResource(number));
}

namespace {
// 0.1 s of an 880 Hz sine, 22,050 Hz mono 16-bit, made once.
QByteArray BeepWav() {
    const int rate = 22050;
    const int samples = rate / 10;
    QByteArray pcm(samples * 2, '\0');
    for (int i = 0; i < samples; ++i) {
        const double fade = i > samples - 200 ? (samples - i) / 200.0 : 1.0;
        const auto v = static_cast<qint16>(12000.0 * fade * std::sin(2 * kPi * 880.0 * i / rate));
        pcm[2 * i] = static_cast<char>(v & 0xFF);
        pcm[2 * i + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int k = 0; k < 4; ++k) {
            b[k] = static_cast<char>((v >> (8 * k)) & 0xFF);
        }
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, '\0');
        b[0] = static_cast<char>(v & 0xFF);
        b[1] = static_cast<char>(v >> 8);
        return b;
    };
    QByteArray wav = "RIFF" + le32(36 + pcm.size()) + "WAVE" + "fmt " + le32(16) + le16(1) +
                     le16(1) + le32(rate) + le32(rate * 2) + le16(2) + le16(16) + "data" +
                     le32(pcm.size()) + pcm;
    return wav;
}
} // namespace

void Sounds::Beep() {
    static const QByteArray wav = BeepWav();
    player_.Play(0, wav);
}

void Sounds::SayNumber(short value) {
    int n = value;
    if (n < 0) {
        PlaySound(134);
        n = std::abs(n);
    }
    auto sayUpTo99 = [this](int r) {
        if (r <= 20) {
            PlaySound(101 + r);
            return;
        }
        PlaySound(119 + r / 10);
        if (r % 10 != 0) {
            PlaySound(101 + r % 10);
        }
    };
    if (n <= 99) {
        sayUpTo99(n);
    } else if (n == 100) {
        PlaySound(102);
        PlaySound(129);
    } else if (n <= 999) {
        PlaySound(101 + n / 100);
        PlaySound(129);
        const int rest = n % 100;
        if (rest != 0) {
            sayUpTo99(rest);
        }
    } else {
        PlaySound(134);
    }
}

} // namespace quillon
