// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quillon {

// Plays one WAV image synchronously: returns when the sound has ended (or at
// once when the machine cannot play sound).
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(int soundNumber, const QByteArray& wav) = 0;
};

} // namespace quillon
