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

TEST(QtSoundPlayer, ABusyScreenThreadCutsNoCue) {
    // A null sink in the stream's own format, so that what it plays is
    // captured sample for sample from its monitor.
    QTemporaryDir runtime;
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", runtime.path());
    server.setProcessEnvironment(env);
    server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
                                "--load=module-native-protocol-unix auth-anonymous=1",
                                "--load=module-null-sink sink_name=nullsink rate=22050 channels=1 "
                                "format=s16le",
                                "--load=module-always-sink"});
    ASSERT_TRUE(server.waitForStarted()) << "pulseaudio is installed by scripts/install-deps";
    const QString socket = runtime.path() + "/pulse/native";
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 10000));
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
    QProcess capture;
    capture.setProcessEnvironment(env);
    capture.start("parec", {"--server=unix:" + socket, "-d", "nullsink.monitor", "--raw",
                            "--format=s16le", "--rate=22050", "--channels=1"});
    ASSERT_TRUE(capture.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return capture.bytesAvailable() > 0; }, 10000));

    // The three beeps, the longest cue: while they play, the screen thread
    // is busy and handles no event until the sound thread has handed the
    // whole cue to the sound server.
    QtSoundPlayer player;
    // The stream opened by a first word, so that the server's start of a
    // new stream is behind it.
    Sounds(player).SayNumber(3);
    const qint64 before = player.SoundBytesPlayed();
    WavImage beeps;
    ASSERT_TRUE(ParseWav(ThreeBeepsWav(), &beeps));
    const QByteArray cue = QtSoundPlayer::ToStreamFormat(beeps);
    bool busy = false;
    QByteArray duringBusy;
    QTimer::singleShot(0, [&] {
        busy = true;
        // No event handled here: the screen thread is occupied until the
        // cue has gone, or the server has played two seconds more than it.
        while (player.SoundBytesPlayed() < before + cue.size() &&
               duringBusy.size() < cue.size() + 2 * 44100) {
            if (capture.waitForReadyRead(5)) {
                duringBusy += capture.readAllStandardOutput();
            }
        }
    });
    player.Play(0, ThreeBeepsWav());
    EXPECT_TRUE(busy);
    EXPECT_EQ(player.SoundBytesPlayed(), before + cue.size());
    EXPECT_EQ(player.StreamsOpened(), 1);

    // What the sound server played: the cue whole, from its first sound to
    // its last, with no silence put into it.
    qsizetype first = 0;
    while (first + 1 < cue.size() && cue[first] == 0 && cue[first + 1] == 0) {
        first += 2;
    }
    qsizetype last = cue.size();
    while (last - 2 > first && cue[last - 1] == 0 && cue[last - 2] == 0) {
        last -= 2;
    }
    const QByteArray sounded = cue.mid(first, last - first);
    QByteArray captured = duringBusy;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            captured += capture.readAllStandardOutput();
            return captured.indexOf(sounded) >= 0;
        },
        10000))
        << "the cue was cut or had silence put into it";
    capture.kill();
    capture.waitForFinished();
    server.kill();
    server.waitForFinished();
}
