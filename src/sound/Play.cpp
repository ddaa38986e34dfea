#include "sound/Play.h"

#include <QFile>
#include <cstdlib>

static void InitSoundResources() { Q_INIT_RESOURCE(sounds); }

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

void Sounds::PlaySound(int number) { player_.Play(number, SoundResource(number)); }

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
