// SPDX-License-Identifier: GPL-3.0-or-later
// Spoken numbers and cues: which recordings play, the recordings held in
// the program.
#include "sound/Play.h"
#include "sound/WavImage.h"
#include "support/Recorders.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
std::vector<int> Said(short n) {
    RecordingPlayer player;
    Sounds(player).SayNumber(n);
    return player.played;
}
} // namespace

TEST(SayNumber, WordSequences) {
    using V = std::vector<int>;
    EXPECT_EQ(Said(0), V({101}));
    EXPECT_EQ(Said(7), V({108}));
    EXPECT_EQ(Said(20), V({121}));
    EXPECT_EQ(Said(21), V({121, 102}));
    EXPECT_EQ(Said(30), V({122}));
    EXPECT_EQ(Said(45), V({123, 106}));
    EXPECT_EQ(Said(99), V({128, 110}));
    EXPECT_EQ(Said(100), V({102, 129}));
    EXPECT_EQ(Said(101), V({102, 129, 102}));
    EXPECT_EQ(Said(215), V({103, 129, 116}));
    EXPECT_EQ(Said(300), V({104, 129}));
    EXPECT_EQ(Said(999), V({110, 129, 128, 110}));
    EXPECT_EQ(Said(1000), V({134}));
    EXPECT_EQ(Said(1500), V({134}));
    EXPECT_EQ(Said(-5), V({134, 106}));
}

TEST(Sounds, CuesPlayTheirNumbers) {
    RecordingPlayer player;
    Sounds sounds(player);
    sounds.PlayAttention();
    sounds.PlayWarning();
    sounds.PlayTempCue();
    sounds.PlayStartCue();
    sounds.PlayInfoCue();
    sounds.PlayReadingCue();
    EXPECT_EQ(player.played, std::vector<int>({133, 134, 135, 136, 137, 138}));
    for (const qsizetype size : player.sizes) {
        EXPECT_GT(size, 44);
    }
}

TEST(SoundResources, AllThirtyEightPresentAsPcmWav) {
    for (int n = kFirstSound; n <= kLastSound; ++n) {
        const QByteArray wav = SoundResource(n);
        ASSERT_FALSE(wav.isEmpty()) << n;
        EXPECT_TRUE(wav.startsWith("RIFF")) << n;
        WavImage image;
        ASSERT_TRUE(ParseWav(wav, &image)) << n;
        EXPECT_EQ(image.sampleRate, 22050) << n;
        EXPECT_EQ(image.channels, 1) << n;
        EXPECT_EQ(image.bitsPerSample, 16) << n;
        EXPECT_GT(image.samples.size(), 1000) << n;
        EXPECT_LT(wav.size(), 60000) << n; // cues stay short
    }
    EXPECT_TRUE(SoundResource(100).isEmpty());
    EXPECT_TRUE(SoundResource(139).isEmpty());
    WavImage image;
    EXPECT_FALSE(ParseWav("RIFF....WAVEjunk", &image));
}

TEST(Sounds, ThreeBeepsAreThreeBurstsSeparatedBySilence) {
    RecordingPlayer player;
    Sounds(player).ThreeBeeps();
    EXPECT_EQ(player.played, std::vector<int>({0})); // one image, sound number 0

    WavImage image;
    ASSERT_TRUE(ParseWav(ThreeBeepsWav(), &image));
    EXPECT_EQ(image.sampleRate, 22050);
    EXPECT_EQ(image.channels, 1);
    EXPECT_EQ(image.bitsPerSample, 16);
    // 0.5 s: tone, gap, tone, gap, tone of 2205 samples each.
    ASSERT_EQ(image.samples.size(), 5 * 2205 * 2);
    auto sample = [&](int i) {
        return qFromLittleEndian<qint16>(image.samples.constData() + 2 * i);
    };
    // Runs of sound (any sample louder than 100) and of silence, by 5 ms
    // windows: sound, silence, sound, silence, sound.
    QString runs;
    for (int w = 0; w < 5 * 2205 / 110; ++w) {
        int loudest = 0;
        for (int i = w * 110; i < (w + 1) * 110; ++i) {
            loudest = std::max(loudest, std::abs(int(sample(i))));
        }
        const QChar c = loudest > 100 ? u'#' : u'.';
        if (runs.isEmpty() || runs.back() != c) {
            runs += c;
        }
    }
    EXPECT_EQ(runs, "#.#.#");
    // Faded in and out: the first and last sample of each tone are near zero,
    // the middle is at full level.
    for (int beep = 0; beep < 3; ++beep) {
        const int first = beep * 2 * 2205;
        EXPECT_LE(std::abs(int(sample(first))), 1) << beep;
        EXPECT_LE(std::abs(int(sample(first + 2204))), 200) << beep;
        int peak = 0;
        for (int i = first + 1000; i < first + 1100; ++i) {
            peak = std::max(peak, std::abs(int(sample(i))));
        }
        EXPECT_GT(peak, 11000) << beep;
        // The gap after it is exactly silent.
        if (beep < 2) {
            for (int i = first + 2205; i < first + 2 * 2205; ++i) {
                ASSERT_EQ(sample(i), 0) << i;
            }
        }
    }
}
