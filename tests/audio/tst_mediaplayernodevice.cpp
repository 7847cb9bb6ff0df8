// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The narration player on a machine where no audio output can be opened: open still checks the
// file, play is refused without an error and the refusal is recorded.
#include "audio/MediaPlayerMP3.h"
#include "audio/SentencePlayer.h"
#include "base/Errors.h"
#include "support/Mp3Fixture.h"
#include "support/PlayerProbe.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString word = QStringLiteral("sons_familles\\9.mp3");
constexpr double wordSeconds = 0.3;

} // namespace

class TestMediaPlayerNoDevice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    // First: its first play finds no failure remembered and learns of it from the output.
    void unheardSentenceStillEnds();
    void playIsRefusedSilentlyAndRecorded();
    void errorsStillRaiseWithoutADevice();

private:
    QTemporaryDir dir_;
    QString previous_;
};

void TestMediaPlayerNoDevice::initTestCase() {
    QVERIFY(dir_.isValid());
    // A driver that does not exist: SDL cannot open any output, as on a machine with no sound.
    qputenv("SDL_AUDIODRIVER", "aucun");
    previous_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
    QVERIFY(QDir().mkpath(QStringLiteral("sons_familles")));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("sons_familles/9.mp3"), 44100, 1, wordSeconds));
}

void TestMediaPlayerNoDevice::cleanupTestCase() {
    QDir::setCurrent(previous_);
}

void TestMediaPlayerNoDevice::playIsRefusedSilentlyAndRecorded() {
    MediaPlayerMP3 player;
    player.setFileName(word);
    player.open();
    QVERIFY(player.isOpen());
    QVERIFY(!player.lastPlayRefused());
    // The first play tries to open the output off this thread and learns of the refusal later;
    // the second meets the failure remembered from the first, or tries again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        player.play();
        QTRY_VERIFY(player.lastPlayRefused());
        QVERIFY(!player.isPlaying());
        QCOMPARE(PlayerProbe::framesDelivered(player), 0);
        QVERIFY(player.isOpen());
    }
    player.close();
    QVERIFY(!player.isOpen());
}

void TestMediaPlayerNoDevice::errorsStillRaiseWithoutADevice() {
    MediaPlayerMP3 player;
    QVERIFY_THROWS_EXCEPTION(EMCIDeviceError, player.play());
    player.setFileName(QStringLiteral("sons_familles\\99.mp3"));
    QVERIFY_THROWS_EXCEPTION(EMCIDeviceError, player.open());
    QVERIFY(!player.isOpen());
}

// A listener pacing itself on a sentence's end goes on when there is nothing to hear it with.
void TestMediaPlayerNoDevice::unheardSentenceStillEnds() {
    SentencePlayer player;
    int ends = 0;
    player.setOnFinished([&ends] { ++ends; });
    for (int attempt = 1; attempt <= 2; ++attempt) {
        player.play({word, word});
        QTRY_COMPARE(ends, attempt);
        QVERIFY(player.lastPlayRefused());
        QVERIFY(!player.isPlaying());
    }
}

QTEST_GUILESS_MAIN(TestMediaPlayerNoDevice)
#include "tst_mediaplayernodevice.moc"
