// SPDX-License-Identifier: GPL-3.0-or-later
// The real player through Qt Multimedia: with no audio device it stays
// silent and returns, and through a PulseAudio null sink it plays every
// sound to its end on the one stream it keeps open.
#include "ui/QtSoundPlayer.h"
#include "sound/Play.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;

namespace {
qint64 SoundBytes(int sound) {
    WavImage image;
    EXPECT_TRUE(ParseWav(SoundResource(sound), &image));
    return image.samples.size();
}
qint64 ThreeBeepsBytes() {
    WavImage image;
    EXPECT_TRUE(ParseWav(ThreeBeepsWav(), &image));
    return image.samples.size();
}
} // namespace

TEST(QtSoundPlayer, NoAudioDeviceIsSilentAndReturns) {
    // A sound server that does not exist: Qt finds no audio output.
    qputenv("PULSE_SERVER", "unix:/nonexistent/quillon/pulse/native");
    QtSoundPlayer player;
    Sounds sounds(player);
    sounds.SayNumber(45);
    sounds.PlayWarning();
    EXPECT_TRUE(player.Silent());
    EXPECT_EQ(player.SoundBytesPlayed(), 0);
}

TEST(QtSoundPlayer, ConvertsOtherLayoutsToTheStreamFormat) {
    // 8-bit stereo at 44,100 Hz: the first channel, every second frame,
    // as signed 16 bits.
    WavImage image{44100, 2, 8, QByteArray("\x80\x00\xff\x00\x00\x00\x90\x00", 8)};
    const QByteArray out = QtSoundPlayer::ToStreamFormat(image);
    ASSERT_EQ(out.size(), 4);
    EXPECT_EQ(out, QByteArray("\x00\x00\x00\x80", 4)); // 0x80 -> 0, 0x00 -> -32768
}

TEST(QtSoundPlayer, PlaysThroughPulseAudioNullSinkOnOneStream) {
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 10000))
        << server.readAllStandardError().toStdString();
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());

    QtSoundPlayer player;
    Sounds sounds(player);
    sounds.SayNumber(3);
    // Each sound was handed whole to the sound server before Play returned.
    EXPECT_FALSE(player.Silent());
    EXPECT_EQ(player.SoundBytesPlayed(), SoundBytes(104));
    sounds.ThreeBeeps();
    sounds.PlayReadingCue();
    EXPECT_EQ(player.SoundBytesPlayed(), SoundBytes(104) + ThreeBeepsBytes() + SoundBytes(138));
    EXPECT_EQ(player.StreamsOpened(), 1);
    server.kill();
    server.waitForFinished();
}
