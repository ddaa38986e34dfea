// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/Play.h"

#include "util/Constants.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

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

QByteArray ThreeBeepsWav() {
    const int rate = 22050;
    const int tone = rate / 10;
    const int gap = rate / 10;
    const int fade = rate / 200; // 5 ms
    const int samples = 3 * tone + 2 * gap;
    QByteArray pcm(samples * 2, '\0');
    for (int beep = 0; beep < 3; ++beep) {
        const int first = beep * (tone + gap);
        for (int i = 0; i < tone; ++i) {
            const double edge = std::min({1.0, double(i) / fade, double(tone - 1 - i) / fade});
            const auto v =
                static_cast<qint16>(12000.0 * edge * std::sin(2 * kPi * 880.0 * i / rate));
            qToLittleEndian<qint16>(v, pcm.data() + 2 * (first + i));
        }
    }
    QByteArray wav(44, '\0');
    char* h = wav.data();
    std::memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(36 + pcm.size(), h + 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20); // PCM
    qToLittleEndian<quint16>(1, h + 22); // mono
    qToLittleEndian<quint32>(rate, h + 24);
    qToLittleEndian<quint32>(rate * 2, h + 28);
    qToLittleEndian<quint16>(2, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    std::memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(pcm.size(), h + 40);
    return wav + pcm;
}

void Sounds::ThreeBeeps() {
    static const QByteArray wav = ThreeBeepsWav();
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
