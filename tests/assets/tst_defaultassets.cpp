// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The generated default asset set: complete, readable by the program, and the same at every build.
#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "audio/MediaPlayerMP3.h"
#include "check/AssetCheck.h"
#include "pictures/PictureLoader.h"
#include "support/Mp3Fixture.h"
#include "support/TestAssets.h"
#include "takes/Respeller.h"
#include "takes/SpeechSynth.h"
#include "takes/TakeProcessor.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#ifndef MIRABOSC_ASSETGEN_PROGRAM
#error "tools/check/CMakeLists.txt names the generator for this test"
#endif

Q_DECLARE_METATYPE(assetcheck::Kind)

namespace {

constexpr int generatorTimeoutMs = 300000;
constexpr float audible = 0.01f; // of the voice's peak
// MP3 coding spreads a sound by a few milliseconds.
constexpr double codingSpread = 0.01;
// The share of espeak-ng's speech a voice keeps.
constexpr double wholeShare = 0.98;
// The silence tolerated before the voice and after it, where it fades out: the margins of every
// voice, recorded or synthetic, and a little more.
constexpr double leadAllowance = takeprocessor::leadMarginSeconds + 0.03;
constexpr double tailAllowance = takeprocessor::tailMarginSeconds + 0.1;
constexpr QPoint largeFramePixel{8, 288};
constexpr QPoint smallFramePixel{3, 69};
constexpr QPoint miniatureFramePixel{10, 24};

struct Sound {
    double first, last; // seconds
};

// From the first sample over 1 % of the peak to the last.
Sound soundOf(const std::vector<float>& samples, double rate) {
    float peak = 0;
    for (const float sample : samples)
        peak = std::max(peak, std::abs(sample));
    const auto loud = [peak](float sample) { return std::abs(sample) > peak * audible; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud) - samples.begin();
    const auto last = samples.rend() - std::find_if(samples.rbegin(), samples.rend(), loud);
    return {double(first) / rate, double(last) / rate};
}

std::map<QString, QByteArray> filesUnder(const QString& root) {
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files[QDir(root).relativeFilePath(file.fileName())] = file.readAll();
    }
    return files;
}

} // namespace

class TestDefaultAssets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void pictureLoadsAtItsDisplaySize_data();
    void pictureLoadsAtItsDisplaySize();
    void soundOpensInThePlayer_data();
    void soundOpensInThePlayer();
    void soundIsTrimmedToTheVoice_data();
    void soundIsTrimmedToTheVoice();
    void foldersHoldNoOtherFile();
    void noTwoFilesAreAlike();
    void cardsWearTheirFamilysColour();
    void checkRulesFindNothingWrong();
    void generatorMakesTheSameBytesAgain();

private:
    std::unique_ptr<TestAssets> assets_;
    std::unique_ptr<MediaPlayerMP3> player_;
    std::unique_ptr<speech::Respeller> respeller_;
    QHash<QString, QString> texts_;
};

void TestDefaultAssets::initTestCase() {
    assets_ = std::make_unique<TestAssets>();
    player_ = std::make_unique<MediaPlayerMP3>();
    respeller_ = std::make_unique<speech::Respeller>(
        speech::Respeller::parse(content::ContentReader::readTextFile(
                                     QStringLiteral(MIRABOSC_DATA_DIR "/prononciation.txt")),
                                 QStringLiteral("prononciation.txt")));
    for (const auto& [voice, text] :
         content::ContentReader::spokenTexts(content::ContentReader::read(MIRABOSC_DATA_DIR)))
        texts_.insert(voice, text);
}

void TestDefaultAssets::cleanupTestCase() {
    player_.reset();
    assets_.reset();
}

void TestDefaultAssets::pictureLoadsAtItsDisplaySize_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<assetcheck::Kind>("kind");
    for (const assetcheck::ExpectedFile& file : assetcheck::expectedFiles())
        if (file.kind != assetcheck::Kind::Sound)
            QTest::newRow(qPrintable(file.path)) << file.path << file.kind;
}

void TestDefaultAssets::pictureLoadsAtItsDisplaySize() {
    QFETCH(QString, path);
    QFETCH(assetcheck::Kind, kind);
    const QImage picture = pictures::loadPicture(path);
    QCOMPARE(picture.size(), assetcheck::displaySize(kind));
}

void TestDefaultAssets::soundOpensInThePlayer_data() {
    QTest::addColumn<QString>("path");
    for (const assetcheck::ExpectedFile& file : assetcheck::expectedFiles())
        if (file.kind == assetcheck::Kind::Sound)
            QTest::newRow(qPrintable(file.path)) << file.path;
}

void TestDefaultAssets::soundOpensInThePlayer() {
    QFETCH(QString, path);
    player_->close();
    player_->setFileName(path);
    player_->open();
    QVERIFY(player_->isOpen());
    QCOMPARE(player_->openFile(), path);
}

void TestDefaultAssets::soundIsTrimmedToTheVoice_data() {
    soundOpensInThePlayer_data();
}

void TestDefaultAssets::soundIsTrimmedToTheVoice() {
    QFETCH(QString, path);
    const mp3fixture::Decoded decoded = mp3fixture::decode(catalogue::resolve(path));
    QCOMPARE(decoded.channels, 1);
    QVERIFY(decoded.frames() > 0);
    const Sound voice = soundOf(decoded.samples, double(decoded.rate));
    const double tail = double(decoded.frames()) / decoded.rate - voice.last;
    // Whole: its margins, and the words as espeak-ng says them, articles and last sounds too.
    const Take spoken = speechsynth::speak(texts_.value(path), *respeller_);
    const Sound said = soundOf(spoken.samples, double(spoken.rate));
    QVERIFY2(voice.first >= takeprocessor::leadMarginSeconds - codingSpread &&
                 voice.first < leadAllowance && tail < tailAllowance &&
                 tail >= takeprocessor::tailMarginSeconds - codingSpread &&
                 voice.last - voice.first >= wholeShare * (said.last - said.first),
             qPrintable(QStringLiteral("lead %1 s, tail %2 s, %3 s of %4 s")
                            .arg(voice.first)
                            .arg(tail)
                            .arg(voice.last - voice.first)
                            .arg(said.last - said.first)));
}

void TestDefaultAssets::foldersHoldNoOtherFile() {
    const QDir root(TestAssets::defaultAssetDir());
    QCOMPARE(
        root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList({"img_album", "img_familles", "son_album", "son_frasas", "sons_familles"}));
    QStringList expected = catalogue::phraseVoiceNames(); // the game's phrases
    for (const assetcheck::ExpectedFile& file : assetcheck::expectedFiles())
        expected << catalogue::toNativeRelative(file.path);
    QStringList present;
    for (const auto& [path, bytes] : filesUnder(root.path()))
        present << path;
    expected.sort();
    present.sort();
    QCOMPARE(present, expected);
}

void TestDefaultAssets::noTwoFilesAreAlike() {
    // A picture or a word written under two numbers would show the same card twice.
    QMap<QByteArray, QString> seen;
    for (const auto& [path, bytes] : filesUnder(TestAssets::defaultAssetDir())) {
        const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
        QVERIFY2(!seen.contains(hash), qPrintable(path + " = " + seen.value(hash)));
        seen.insert(hash, path);
    }
}

void TestDefaultAssets::cardsWearTheirFamilysColour() {
    QSet<QRgb> familyColours;
    for (int family = 1; family <= catalogue::familyCount; ++family) {
        const QRgb colour =
            pictures::loadPicture(catalogue::miniature(catalogue::cardNumber(family, 1)))
                .pixel(miniatureFramePixel);
        familyColours.insert(colour);
        for (const int card : catalogue::familyCards(family)) {
            QCOMPARE(pictures::loadPicture(catalogue::largeCard(card)).pixel(largeFramePixel),
                     colour);
            QCOMPARE(pictures::loadPicture(catalogue::smallCard(card)).pixel(smallFramePixel),
                     colour);
        }
    }
    QCOMPARE(familyColours.size(), catalogue::familyCount);
}

void TestDefaultAssets::checkRulesFindNothingWrong() {
    const assetcheck::Readers readers{
        [](const QString& path) { return pictures::loadPicture(path).size(); },
        [this](const QString& path) {
            player_->close();
            player_->setFileName(path);
            player_->open();
        }};
    const auto findings = assetcheck::checkCurrentFolder(readers);
    for (const assetcheck::Finding& finding : findings)
        qWarning().noquote() << assetcheck::reportLine(finding);
    QVERIFY(findings.empty());
}

void TestDefaultAssets::generatorMakesTheSameBytesAgain() {
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    generator.start(QStringLiteral(MIRABOSC_ASSETGEN_PROGRAM), {out.path()});
    QVERIFY(generator.waitForFinished(generatorTimeoutMs));
    QCOMPARE(generator.exitCode(), 0);
    const auto again = filesUnder(out.path());
    const auto built = filesUnder(TestAssets::defaultAssetDir());
    QCOMPARE(again.size(), built.size());
    for (const auto& [path, bytes] : built) {
        QVERIFY2(again.count(path), qPrintable(path));
        QVERIFY2(again.at(path) == bytes, qPrintable(path));
    }
}

QTEST_MAIN(TestDefaultAssets)
#include "tst_defaultassets.moc"
