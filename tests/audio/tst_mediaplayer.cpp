// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The narration player's rules: what open refuses, when play raises, how play, close and the
// end-of-play notice behave, on SDL's dummy output (which keeps real time).
#include "assets/Catalogue.h"
#include "audio/AudioOutput.h"
#include "audio/MediaPlayerMP3.h"
#include "audio/NarrationSource.h"
#include "base/Errors.h"
#include "support/Mp3Fixture.h"
#include "support/PlayerProbe.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <semaphore>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString shortWord = QStringLiteral("sons_familles\\9.mp3");    // 44.1 kHz mono
const QString lowRateWord = QStringLiteral("sons_familles\\10.mp3"); // 22.05 kHz mono
const QString stereoWord = QStringLiteral("son_album\\1.mp3");       // 48 kHz stereo
const QString longWord = QStringLiteral("son_album\\2.mp3");         // 44.1 kHz stereo, 8 s

constexpr double shortSeconds = 0.4;
constexpr double longSeconds = 8.0;
constexpr int playTimeoutMs = 30000;
constexpr int garbageBytes = 64 * 1024;
// SDL's converter may round the length of a resampled word by a few frames.
constexpr int64_t resampleSlackFrames = 64;

QString notFound() {
    return QStringLiteral("Le fichier spécifié est introuvable. Vérifiez que le chemin d'accès et "
                          "le nom du fichier sont corrects");
}
const QString notMp3 = QStringLiteral("Le fichier n'est pas un fichier audio MP3 lisible");

// Waits without running the event loop, so that a posted notice stays queued.
bool waitUntilSilent(const MediaPlayerMP3& player) {
    const QDeadlineTimer deadline(playTimeoutMs);
    while (player.isPlaying() && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    return !player.isPlaying();
}

// A file on a disk that stopped answering: reads after the open wait until the test lets them go.
// The gates belong to the source as much as to the test: its filler may still be leaving the
// read when the test has returned.
struct Gates {
    std::binary_semaphore entered{0};
    std::binary_semaphore release{0};
};
class StalledSource : public NarrationSource {
public:
    StalledSource(const QString& path, std::shared_ptr<Gates> gates)
        : NarrationSource(path), gates_(std::move(gates)) {}
    int read(float* out, int frames) override {
        gates_->entered.release();
        gates_->release.acquire();
        gates_->release.release();
        return NarrationSource::read(out, frames);
    }

private:
    std::shared_ptr<Gates> gates_;
};

} // namespace

class TestMediaPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void openRefusesWhatIsNotAPlayableMp3_data();
    void openRefusesWhatIsNotAPlayableMp3();
    void playWithNothingOpenRaises_data();
    void playWithNothingOpenRaises();
    void closeWithNothingOpenDoesNothing();
    void openResolvesTheNameWhenItOpens();
    void wordsPlayToTheEndAtTheOutputRate_data();
    void wordsPlayToTheEndAtTheOutputRate();
    void playAtTheEndStartsAgain();
    void closeStopsAtOnceAndPostsNoNotice();
    void destroyingAPlayerBeforeItsNoticeArrivesIsSafe();
    void destroyingAPlayingPlayerTakesItsVoiceOut();
    void twoPlayersPlayTogether();
    void aStalledReadHoldsNeitherCloseNorOtherWords();
    void randomOperationsOnFourPlayers();
    void cleanupTestCase();

private:
    int64_t expectedFrames(const QString& word) const;

    QTemporaryDir dir_;
    QString previous_;
};

void TestMediaPlayer::initTestCase() {
    QVERIFY(dir_.isValid());
    previous_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
    QVERIFY(QDir().mkpath(QStringLiteral("sons_familles/dossier.mp3")));
    QVERIFY(QDir().mkpath(QStringLiteral("son_album")));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("sons_familles/9.mp3"), 44100, 1, shortSeconds));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("sons_familles/10.mp3"), 22050, 1, shortSeconds));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("son_album/1.mp3"), 48000, 2, shortSeconds));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("son_album/2.mp3"), 44100, 2, longSeconds));

    auto write = [](const char* name, const QByteArray& bytes) {
        QFile file(QString::fromLatin1(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write("sons_familles/vide.mp3", {}));
    QVERIFY(write("sons_familles/texte.mp3", QByteArray("Aquo es pas un son. ").repeated(200)));
    QByteArray noise(garbageBytes, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), garbageBytes / 4);
    QVERIFY(write("sons_familles/bruit.mp3", noise));
    // An ID3v2 header announcing a 256 MB tag, and nothing after it.
    QVERIFY(
        write("sons_familles/etiquette.mp3", QByteArray("ID3\x04\x00\x00\x7f\x7f\x7f\x7f", 10)));
    QVERIFY(QFile::copy(QStringLiteral("sons_familles/9.mp3"),
                        QStringLiteral("sons_familles/interdit.mp3")));
    QVERIFY(::chmod("sons_familles/interdit.mp3", 0) == 0);
    QVERIFY(::mkfifo("sons_familles/tube.mp3", 0600) == 0);
}

void TestMediaPlayer::cleanupTestCase() {
    QDir::setCurrent(previous_);
}

int64_t TestMediaPlayer::expectedFrames(const QString& word) const {
    const auto decoded = mp3fixture::decode(catalogue::resolve(word));
    return decoded.frames() * AudioOutput::rate / decoded.rate;
}

void TestMediaPlayer::openRefusesWhatIsNotAPlayableMp3_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QStringLiteral("sons_familles\\99.mp3") << notFound();
    QTest::newRow("missing folder") << QStringLiteral("sons_perduts\\9.mp3") << notFound();
    QTest::newRow("folder") << QStringLiteral("sons_familles\\dossier.mp3")
                            << QStringLiteral("Le nom spécifié désigne un dossier et non un "
                                              "fichier audio");
    QTest::newRow("zero bytes") << QStringLiteral("sons_familles\\vide.mp3")
                                << QStringLiteral("Le fichier spécifié est vide");
    QTest::newRow("text") << QStringLiteral("sons_familles\\texte.mp3") << notMp3;
    QTest::newRow("random bytes") << QStringLiteral("sons_familles\\bruit.mp3") << notMp3;
    QTest::newRow("huge tag, no audio") << QStringLiteral("sons_familles\\etiquette.mp3") << notMp3;
    // A FIFO would block a plain open until a writer comes.
    QTest::newRow("fifo") << QStringLiteral("sons_familles\\tube.mp3")
                          << QStringLiteral("Le nom spécifié ne désigne pas un fichier ordinaire");
    QTest::newRow("unreadable") << QStringLiteral("sons_familles\\interdit.mp3")
                                << QStringLiteral("Le fichier spécifié ne peut pas être lu : "
                                                  "l'accès est refusé");
    QTest::newRow("no name") << QString() << QStringLiteral("Aucun nom de fichier n'a été indiqué");
}

void TestMediaPlayer::openRefusesWhatIsNotAPlayableMp3() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    if (name.contains(QStringLiteral("interdit")) && ::geteuid() == 0)
        QSKIP("root reads every file");

    // A word is open and playing: the failed open must have closed it first.
    MediaPlayerMP3 player;
    player.setFileName(longWord);
    player.open();
    player.play();
    player.setFileName(name);
    try {
        player.open();
        QFAIL("open accepted the file");
    } catch (const EMCIDeviceError& error) {
        QCOMPARE(error.message(), message);
    }
    QVERIFY(!player.isOpen());
    QVERIFY(player.openFile().isEmpty());
    QVERIFY(!player.isPlaying());
    QCOMPARE(PlayerProbe::framesDelivered(player), 0);
}

void TestMediaPlayer::playWithNothingOpenRaises_data() {
    QTest::addColumn<QString>("history");
    QTest::newRow("never opened") << QString();
    QTest::newRow("closed") << QStringLiteral("close");
    QTest::newRow("open failed") << QStringLiteral("fail");
}

void TestMediaPlayer::playWithNothingOpenRaises() {
    QFETCH(QString, history);
    MediaPlayerMP3 player;
    if (!history.isEmpty()) {
        player.setFileName(shortWord);
        player.open();
    }
    if (history == QLatin1String("close"))
        player.close();
    if (history == QLatin1String("fail")) {
        player.setFileName(QStringLiteral("sons_familles\\vide.mp3"));
        QVERIFY_THROWS_EXCEPTION(EMCIDeviceError, player.open());
    }
    try {
        player.play();
        QFAIL("play with nothing open did not raise");
    } catch (const EMCIDeviceError& error) {
        QCOMPARE(error.message(), QStringLiteral("Aucun périphérique MCI ouvert"));
    }
    QVERIFY(!player.isPlaying());
}

void TestMediaPlayer::closeWithNothingOpenDoesNothing() {
    MediaPlayerMP3 player;
    player.setFileName(shortWord);
    player.close();
    player.close();
    QVERIFY(!player.isOpen());
    QCOMPARE(player.fileName(), shortWord);
    // The player is still usable afterwards.
    player.open();
    QCOMPARE(player.openFile(), shortWord);
}

void TestMediaPlayer::openResolvesTheNameWhenItOpens() {
    MediaPlayerMP3 player;
    player.setFileName(shortWord);
    QTemporaryDir elsewhere;
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    QVERIFY_THROWS_EXCEPTION(EMCIDeviceError, player.open());
    QVERIFY(QDir::setCurrent(dir_.path()));
    player.open();
    QVERIFY(player.isOpen());
    QCOMPARE(player.openFile(), shortWord);
    QVERIFY(!player.isPlaying());
    QCOMPARE(PlayerProbe::framesDelivered(player), 0);
}

void TestMediaPlayer::wordsPlayToTheEndAtTheOutputRate_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("22.05 kHz mono") << lowRateWord;
    QTest::newRow("44.1 kHz mono") << shortWord;
    QTest::newRow("48 kHz stereo") << stereoWord;
}

void TestMediaPlayer::wordsPlayToTheEndAtTheOutputRate() {
    QFETCH(QString, name);
    MediaPlayerMP3 player;
    player.setFileName(name);
    player.open();
    player.play();
    QVERIFY(!player.lastPlayRefused());
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), playTimeoutMs);
    const int64_t delivered = PlayerProbe::framesDelivered(player);
    const int64_t expected = expectedFrames(name);
    QVERIFY2(qAbs(delivered - expected) <= resampleSlackFrames,
             qPrintable(QStringLiteral("%1 frames, %2 expected").arg(delivered).arg(expected)));
    QTRY_COMPARE(PlayerProbe::endOfPlayNotices(player), 1);
    // The end of the sound does not close the narration.
    QVERIFY(player.isOpen());
    QCOMPARE(player.openFile(), name);
}

void TestMediaPlayer::playAtTheEndStartsAgain() {
    MediaPlayerMP3 player;
    player.setFileName(shortWord);
    player.open();
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), playTimeoutMs);
    const int64_t once = PlayerProbe::framesDelivered(player);
    QCOMPARE(once, expectedFrames(shortWord));
    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(PlayerProbe::endOfPlayNotices(player), 2, playTimeoutMs);
    QCOMPARE(PlayerProbe::framesDelivered(player), 2 * once);
}

void TestMediaPlayer::closeStopsAtOnceAndPostsNoNotice() {
    MediaPlayerMP3 player;
    player.setFileName(longWord);
    player.open();
    player.play();
    QTRY_VERIFY(PlayerProbe::framesDelivered(player) > 0);
    player.close();
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.isOpen());
    QVERIFY(player.openFile().isEmpty());
    QCOMPARE(PlayerProbe::framesDelivered(player), 0);
    // The next word plays to its end and brings the only notice.
    player.setFileName(shortWord);
    player.open();
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), playTimeoutMs);
    QTRY_COMPARE(PlayerProbe::endOfPlayNotices(player), 1);
    QCOMPARE(PlayerProbe::framesDelivered(player), expectedFrames(shortWord));
}

void TestMediaPlayer::destroyingAPlayerBeforeItsNoticeArrivesIsSafe() {
    auto player = std::make_unique<MediaPlayerMP3>();
    player->setFileName(shortWord);
    player->open();
    player->play();
    QVERIFY(waitUntilSilent(*player));
    player.reset(); // its notice is still queued
    QCoreApplication::sendPostedEvents();

    MediaPlayerMP3 next;
    next.setFileName(shortWord);
    next.open();
    next.play();
    QTRY_VERIFY_WITH_TIMEOUT(!next.isPlaying(), playTimeoutMs);
    QTRY_COMPARE(PlayerProbe::endOfPlayNotices(next), 1);
}

void TestMediaPlayer::destroyingAPlayingPlayerTakesItsVoiceOut() {
    auto player = std::make_unique<MediaPlayerMP3>();
    player->setFileName(longWord);
    player->open();
    player->play();
    QTRY_VERIFY(PlayerProbe::framesDelivered(*player) > 0);
    player.reset();

    // The output goes on mixing without the destroyed voice (a sanitizer build sees any use).
    MediaPlayerMP3 next;
    next.setFileName(shortWord);
    next.open();
    next.play();
    QTRY_VERIFY_WITH_TIMEOUT(!next.isPlaying(), playTimeoutMs);
    QCOMPARE(PlayerProbe::framesDelivered(next), expectedFrames(shortWord));
}

void TestMediaPlayer::twoPlayersPlayTogether() {
    MediaPlayerMP3 first;
    MediaPlayerMP3 second;
    first.setFileName(longWord);
    second.setFileName(shortWord);
    first.open();
    second.open();
    first.play();
    second.play();
    QTRY_VERIFY_WITH_TIMEOUT(!second.isPlaying(), playTimeoutMs);
    QCOMPARE(PlayerProbe::framesDelivered(second), expectedFrames(shortWord));
    // The second word did not cut the first one off.
    QVERIFY(first.isPlaying());
    QVERIFY(PlayerProbe::framesDelivered(first) > 0);
}

void TestMediaPlayer::aStalledReadHoldsNeitherCloseNorOtherWords() {
    const auto gates = std::make_shared<Gates>();
    MediaPlayerMP3 stalled(
        [gates](const QString& path) { return std::make_unique<StalledSource>(path, gates); });
    stalled.setFileName(longWord);
    stalled.open();
    stalled.play();
    // Its filler is now inside a read that does not return: the word waits for it whole, and no
    // head breaks off after the few frames its open decoded.
    QVERIFY(gates->entered.try_acquire_for(std::chrono::milliseconds(playTimeoutMs)));
    QVERIFY(stalled.isPlaying());
    QCOMPARE(PlayerProbe::framesDelivered(stalled), 0);

    // Another word plays whole meanwhile, well past what its open decoded.
    MediaPlayerMP3 other;
    other.setFileName(shortWord);
    other.open();
    other.play();
    QTRY_VERIFY_WITH_TIMEOUT(!other.isPlaying(), playTimeoutMs);
    QCOMPARE(PlayerProbe::framesDelivered(other), expectedFrames(shortWord));

    stalled.close(); // must not wait for the read
    QVERIFY(!stalled.isOpen());
    gates->release.release(); // the stalled read ends and its narration goes, unheard
}

// A seeded random mix of every operation on four players at once, for races (scripts/tsan.sh
// runs it longer through MIRABOSC_STRESS_OPS) and for the rules that hold after each step.
void TestMediaPlayer::randomOperationsOnFourPlayers() {
    const int operations = std::max(qEnvironmentVariableIntValue("MIRABOSC_STRESS_OPS"), 2000);
    const std::array words{shortWord, lowRateWord, stereoWord, longWord};
    std::array<std::unique_ptr<MediaPlayerMP3>, 4> players;
    QRandomGenerator random(20);
    for (int step = 0; step < operations; ++step) {
        auto& player = players[random.bounded(int(players.size()))];
        if (!player)
            player = std::make_unique<MediaPlayerMP3>();
        switch (random.bounded(6)) {
        case 0:
            player->close();
            break;
        case 1:
            player->setFileName(words[random.bounded(int(words.size()))]);
            player->open();
            break;
        case 2:
            if (player->isOpen()) {
                player->play();
                QVERIFY(!player->lastPlayRefused());
            }
            break;
        case 3:
            player.reset();
            continue;
        default:
            QCoreApplication::processEvents();
            QThread::usleep(random.bounded(2000));
        }
        QVERIFY(player->isOpen() ||
                (!player->isPlaying() && PlayerProbe::framesDelivered(*player) == 0));
    }
}

QTEST_GUILESS_MAIN(TestMediaPlayer)
#include "tst_mediaplayer.moc"
