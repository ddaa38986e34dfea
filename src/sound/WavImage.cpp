// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/WavImage.h"

#include <QtEndian>

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

} // namespace quillon
