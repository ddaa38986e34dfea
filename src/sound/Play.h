// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundPlayer.h"

#include <QByteArray>

namespace quillon {

// The numbered recordings held inside the program: 101..121 the words zero
// to twenty, 122..128 thirty to ninety, 129 "hundred", 133..138 the cues.
inline constexpr int kFirstSound = 101;
inline constexpr int kLastSound = 138;

// The WAV image of a sound number, empty when there is none.
QByteArray SoundResource(int number);

// The three beeps as one WAV image, 22,050 Hz mono 16-bit: three 0.1 s
// tones of 880 Hz with 0.1 s of silence between them, each faded in and out
// over 5 ms so that it starts and ends without a click. Beeps played one
// after another ran together into one long tone.
QByteArray ThreeBeepsWav();

// The station's spoken and sounded cues. The operator stands at the
// instrument, often not looking at the screen.
class Sounds {
public:
    explicit Sounds(SoundPlayer& player) : player_(player) {}

    void PlaySound(int number);
    void PlayAttention() { PlaySound(133); }
    void PlayWarning() { PlaySound(134); }
    void PlayTempCue() { PlaySound(135); }
    void PlayStartCue() { PlaySound(136); }
    void PlayInfoCue() { PlaySound(137); }
    void PlayReadingCue() { PlaySound(138); }

    // Three short beeps that open a reading series when the observation
    // style has audio prompts. Played as sound number 0.
    void ThreeBeeps();

    // Speaks a number from words: "forty" "five" for 45, "two" "hundred"
    // "fifteen" for 215; a negative number starts with the warning cue, and
    // 1000 or more is the warning cue alone.
    void SayNumber(short n);

private:
    SoundPlayer& player_;
};

} // namespace quillon
