// Spoken numbers and cues: which recordings play, the recordings held in
// the program, and the real player with and without an audio device.
#include "sound/Play.h"
#include "sound/QtSoundPlayer.h"
#include "support/Recorders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
std::vector<int> Said(short n) {
    RecordingPlayer player;
    Sounds(player).SayNumber(n);
    return player.played;
}

double Seconds(int sound) {
    WavImage image;
    EXPECT_TRUE(ParseWav(SoundResource(sound), &image));
    return static_cast<double>(image.samples.size()) /
           (image.sampleRate * image.channels * image.bitsPerSample / 8);
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

TEST(QtSoundPlayer, NoAudioDeviceReturnsAtOnce) {
    // A sound server that does not exist: Qt finds no audio output.
    qputenv("PULSE_SERVER", "unix:/nonexistent/quillon/pulse/native");
    QtSoundPlayer player;
    Sounds sounds(player);
    QElapsedTimer timer;
    timer.start();
    sounds.SayNumber(45);
    sounds.PlayWarning();
    EXPECT_LT(timer.elapsed(), 1500);
}

TEST(QtSoundPlayer, PlaysThroughPulseAudioNullSink) {
    QTemporaryDir runtime;
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", runtime.path());
    server.setProcessEnvironment(env);
    server.start("pulseaudio",
                 {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
                  "--load=module-native-protocol-unix auth-anonymous=1",
                  "--load=module-null-sink sink_name=nullsink", "--load=module-always-sink"});
    ASSERT_TRUE(server.waitForStarted()) << "pulseaudio is installed by scripts/install-deps";
    const QString socket = runtime.path() + "/pulse/native";
    for (int i = 0; i < 500 && !QFileInfo::exists(socket); ++i) {
        QThread::msleep(10);
    }
    ASSERT_TRUE(QFileInfo::exists(socket)) << server.readAllStandardError().toStdString();
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());

    QtSoundPlayer player;
    Sounds sounds(player);
    QElapsedTimer timer;
    timer.start();
    sounds.SayNumber(45);
    const double expected = Seconds(123) + Seconds(106);
    const double took = timer.elapsed() / 1000.0;
    // It waited for the words to be played, and not for ever. PulseAudio's
    // null sink adds up to about a second of stream latency per sound
    // (paplay shows the same), hence the margin.
    EXPECT_GT(took, expected * 0.8);
    EXPECT_LT(took, expected + 2 * 2.0);
    server.kill();
    server.waitForFinished();
}
