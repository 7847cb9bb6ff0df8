// The recorder's import path as a script uses it (mirabosc-record --import), and the folder's undo
// and default voice: written voices are trimmed, levelled and mono; refusals change nothing.
#include "audio/MediaPlayerMP3.h"
#include "support/Mp3Fixture.h"
#include "support/SpokenTake.h"
#include "support/TestAssets.h"
#include "voices/SafeWrite.h"
#include "voices/TakeProcessor.h"
#include "voices/VoiceFolder.h"
#include "voices/VoiceRefused.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

constexpr double marginTolerance = 0.1;
constexpr double peakToleranceDb = 1.5;
constexpr double leadMargin = 0.05;
constexpr double tailMargin = 0.10;
constexpr rlim_t fullDiskBytes = 4096;
const QByteArray ownBytes = "an own voice, kept byte for byte";

double peakOf(const mp3fixture::Decoded& decoded) {
    float peak = 0;
    for (float s : decoded.samples)
        peak = std::max(peak, std::abs(s));
    return peak;
}

double decibels(double ratio) {
    return 20.0 * std::log10(ratio);
}

struct Run {
    int exitCode;
    QString out;
    QString err;
};

Run record(const QStringList& arguments, bool fullDisk = false) {
    QProcess process;
    if (fullDisk)
        process.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fullDiskBytes, fullDiskBytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    process.start(QStringLiteral(MIRABOSC_RECORD_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Hidden files left in the four folders: temporary files of a write that failed.
QStringList strayFiles(const QString& root) {
    QStringList stray;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (it.next(); it.fileName().startsWith(QLatin1Char('.')) &&
                       !it.filePath().contains(QLatin1String("/.desfar/")))
            stray << it.filePath();
    return stray;
}

} // namespace

class TestVoices : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void importWritesTrimmedLevelledMonoVoice_data();
    void importWritesTrimmedLevelledMonoVoice();
    void refusalLeavesOldFileByteForByte_data();
    void refusalLeavesOldFileByteForByte();
    void undoSwapsAndDefaultVoiceRestoresGenerated();

private:
    QTemporaryDir takes_;
    QTemporaryDir folder_;
    spokentake::Word word_;
    double defaultPeak_ = 0;
};

void TestVoices::initTestCase() {
    word_ = spokentake::make(takes_.path());
    QVERIFY2(!word_.wav.isEmpty(), "espeak-ng and sox make the test's take");
    for (const char* format : {"flac", "ogg", "mp3"})
        QVERIFY(spokentake::convert(word_.wav, takes_.filePath(QStringLiteral("take.") + format)));
    QVERIFY(spokentake::sox({QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("48000"),
                             QStringLiteral("-c"), QStringLiteral("2"),
                             takes_.filePath(QStringLiteral("silence.wav")), QStringLiteral("trim"),
                             QStringLiteral("0"), QStringLiteral("2")}));
    // A device that starts with digital silence before the room is heard.
    QVERIFY(
        spokentake::convert(word_.wav, takes_.filePath(QStringLiteral("zeros.wav")),
                            {QStringLiteral("pad"), QStringLiteral("0.5"), QStringLiteral("0.5")}));
    QVERIFY(
        spokentake::convert(word_.wav, takes_.filePath(QStringLiteral("long.flac")),
                            {QStringLiteral("pad"), QStringLiteral("0"), QStringLiteral("58")}));
    QFile garbage(takes_.filePath(QStringLiteral("garbage.wav")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("RIFF\x10\0\0\0WAVEjunk", 16).repeated(64));
    garbage.close();
    // The default voices' own decoded peak, which every recorded voice should match.
    for (int number = 1; number <= 8; ++number)
        defaultPeak_ +=
            peakOf(mp3fixture::decode(TestAssets::defaultAssetDir() +
                                      QStringLiteral("/sons_familles/%1.mp3").arg(number))) /
            8;
    // The first run fills the folder with the default set.
    const Run first =
        record({QStringLiteral("--folder"), folder_.path(), QStringLiteral("--import"), word_.wav,
                QStringLiteral("--to"), QStringLiteral("sons_familles/2.mp3")});
    QCOMPARE(first.exitCode, 0);
    QVERIFY(QFileInfo::exists(folder_.filePath(QStringLiteral("img_album/17.bmp"))));
}

void TestVoices::importWritesTrimmedLevelledMonoVoice_data() {
    QTest::addColumn<QString>("take");
    QTest::addColumn<QString>("target");
    QTest::newRow("wav as a card") << "take.wav"
                                   << "sons_familles/12.mp3";
    QTest::newRow("flac as a family name") << "take.flac"
                                           << "sons_familles\\9.mp3";
    QTest::newRow("ogg as an album page") << "take.ogg"
                                          << "son_album/3.mp3";
    QTest::newRow("mp3 as the last page") << "take.mp3"
                                          << "son_album/17.mp3";
    QTest::newRow("noise within digital silence") << "zeros.wav"
                                                  << "sons_familles/56.mp3";
}

void TestVoices::importWritesTrimmedLevelledMonoVoice() {
    QFETCH(QString, take);
    QFETCH(QString, target);
    const Run run = record({QStringLiteral("--folder"), folder_.path(), QStringLiteral("--import"),
                            takes_.filePath(take), QStringLiteral("--to"), target});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.count(QLatin1Char('\n')), 1);
    const QString written =
        folder_.filePath(QString(target).replace(QLatin1Char('\\'), QLatin1Char('/')));
    const mp3fixture::Decoded voice = mp3fixture::decode(written);
    QCOMPARE(voice.channels, 1);
    const double seconds = double(voice.frames()) / voice.rate;
    const double spoken = word_.speechEnd - word_.speechStart;
    QVERIFY2(std::abs(seconds - (spoken + leadMargin + tailMargin)) < marginTolerance,
             qPrintable(QStringLiteral("%1 s for %2 s of speech").arg(seconds).arg(spoken)));
    // The word starts one lead margin in: the noise before it is gone.
    const double peak = peakOf(voice);
    const auto firstLoud = std::find_if(voice.samples.begin(), voice.samples.end(),
                                        [peak](float s) { return std::abs(s) > peak / 10; });
    QVERIFY(std::abs(double(firstLoud - voice.samples.begin()) / voice.rate - leadMargin) <
            marginTolerance);
    QVERIFY2(std::abs(decibels(peak / defaultPeak_)) < peakToleranceDb,
             qPrintable(QStringLiteral("peak %1 against %2").arg(peak).arg(defaultPeak_)));
    MediaPlayerMP3 player;
    player.setFileName(written);
    player.open();
    QVERIFY(player.isOpen());
    QProcess check;
    check.start(QStringLiteral(MIRABOSC_CHECK_PROGRAM), {folder_.path()});
    QVERIFY(check.waitForFinished(60000));
    QCOMPARE(check.exitCode(), 0);
}

void TestVoices::refusalLeavesOldFileByteForByte_data() {
    QTest::addColumn<QString>("take");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("message");
    const QString card = QStringLiteral("sons_familles/6.mp3");
    QTest::newRow("silence") << "silence.wav" << card << false << "paraula";
    QTest::newRow("noise alone") << "noise.wav" << card << false << "paraula";
    QTest::newRow("garbage") << "garbage.wav" << card << false << "legir";
    QTest::newRow("missing file") << "absent.wav" << card << false << "legir";
    QTest::newRow("over 60 s") << "long.flac" << card << false << "60 s";
    QTest::newRow("card 57") << "take.wav"
                             << "sons_familles/57.mp3" << false << "votz del jòc";
    QTest::newRow("page 0") << "take.wav"
                            << "son_album/0.mp3" << false << "votz del jòc";
    QTest::newRow("leading zero") << "take.wav"
                                  << "sons_familles/06.mp3" << false << "votz del jòc";
    QTest::newRow("a picture") << "take.wav"
                               << "img_familles/6.bmp" << false << "votz del jòc";
    QTest::newRow("out of folder") << "take.wav"
                                   << "sons_familles/../../6.mp3" << false << "votz del jòc";
    QTest::newRow("absolute") << "take.wav"
                              << "/tmp/6.mp3" << false << "votz del jòc";
    QTest::newRow("full disk") << "take.wav" << card << true << "Escritura impossibla";
}

void TestVoices::refusalLeavesOldFileByteForByte() {
    QFETCH(QString, take);
    QFETCH(QString, target);
    QFETCH(bool, fullDisk);
    QFETCH(QString, message);
    const QString card = folder_.filePath(QStringLiteral("sons_familles/6.mp3"));
    safewrite::write(card, ownBytes);
    const Run run = record({QStringLiteral("--folder"), folder_.path(), QStringLiteral("--import"),
                            takes_.filePath(take), QStringLiteral("--to"), target},
                           fullDisk);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(safewrite::read(card), ownBytes);
    QCOMPARE(strayFiles(folder_.path()), QStringList());
}

void TestVoices::undoSwapsAndDefaultVoiceRestoresGenerated() {
    QTemporaryDir root;
    VoiceFolder folder(root.path(), TestAssets::defaultAssetDir());
    QVERIFY(folder.fillFromDefaultSet() > VoiceFolder::voiceCount);
    QCOMPARE(folder.fillFromDefaultSet(), 0); // nothing is copied twice
    VoiceFolder defaults(TestAssets::defaultAssetDir(), TestAssets::defaultAssetDir());
    QVERIFY_THROWS_EXCEPTION(VoiceRefused, defaults.fillFromDefaultSet());
    const QString name = QStringLiteral("son_album/5.mp3");
    const QByteArray generated = safewrite::read(folder.pathOf(name));
    QVERIFY(!folder.canUndo(name));
    folder.write(name, ownBytes);
    QVERIFY(folder.isOwn(name));
    QCOMPARE(folder.ownCount(), 1);
    folder.undo(name);
    QCOMPARE(safewrite::read(folder.pathOf(name)), generated);
    folder.undo(name); // a second undo redoes
    QCOMPARE(safewrite::read(folder.pathOf(name)), ownBytes);
    folder.restoreDefault(name);
    QCOMPARE(safewrite::read(folder.pathOf(name)), generated);
    QCOMPARE(folder.ownCount(), 0);
    folder.undo(name);
    QCOMPARE(safewrite::read(folder.pathOf(name)), ownBytes);
}

QTEST_GUILESS_MAIN(TestVoices)
#include "tst_voices.moc"
