// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quillon {

// The PCM layout and samples of a WAV image; false when it is not one.
struct WavImage {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray samples;
};
bool ParseWav(const QByteArray& wav, WavImage* image);

} // namespace quillon
