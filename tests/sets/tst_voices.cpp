// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder's import path as a script uses it (mirabosc-record --import), and the folder's undo
// and default voice: written voices are trimmed, levelled and mono; refusals change nothing.
#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "assets/TextLayers.h"
#include "assets/VoiceTexts.h"
#include "audio/MediaPlayerMP3.h"
#include "base/Errors.h"
#include "base/GameLock.h"
#include "cardart/CardPainter.h"
#include "sets/FileOrigins.h"
#include "sets/FolderLock.h"
#include "sets/Locations.h"
#include "sets/RenameJournal.h"
#include "sets/SafeWrite.h"
#include "sets/SetArchive.h"
#include "sets/SetFolder.h"
#include "sets/SetImport.h"
#include "sets/SetTexts.h"
#include "support/Mp3Fixture.h"
#include "support/Sanitizers.h"
#include "support/SpeechCorpus.h"
#include "support/SpokenTake.h"
#include "support/TestAssets.h"
#include "takes/SpeechFinder.h"
#include "takes/SpeechSynth.h"
#include "takes/TakeProcessor.h"
#include "workshop/VoiceMaker.h"
#include "workshop/VoiceStates.h"
#include "workshop/WordCommands.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

constexpr double marginTolerance = 0.1;
// Loudness is measured over 400 ms blocks.
constexpr double measurableSeconds = 0.4;
constexpr double loudnessToleranceLu = 1.5;
constexpr double leadMargin = takeprocessor::leadMarginSeconds;
constexpr double tailMargin = takeprocessor::tailMarginSeconds;
constexpr rlim_t fullDiskBytes = 65536;
constexpr int writerRaces = 8;
// Workflows over the program's own sets (every default word voiced again, exports imported again,
// undo through history, two writers at once) run in the plain build; the sanitized build keeps the
// rows that feed the workshop files from outside. Where both builds run
// (MIRABOSC_READERS_SANITIZED), the plain one leaves those rows to the sanitized one, but for the
// limits that the sanitizers' shadow memory would break.
const QSet<QByteArray> workflows = {
    "twoWritersAtOnceKeepBothTakes",
    "exportThenImportOnAnEmptyAccountGivesTheSameFiles",
    "undoImportStepsBackThroughEverySetKept",
    "changedWordIsOnItsCardAndOnlySyntheticVoicesSpeakIt",
    "everyDefaultWordAndPageIsVoicedAgain",
    "classSetRoundTripKeepsEveryFileAndMark",
    "everyViewOfASetAgreesAsItsClassSetChanges",
};
const QSet<QByteArray> unsanitizedLimits = {"pictureOfAnyShapeOrRefused"};
#ifdef MIRABOSC_ADDRESS_SANITIZER
constexpr rlim_t pictureMemoryBytes = 0; // AddressSanitizer's shadow memory counts as data
#else
constexpr rlim_t pictureMemoryBytes = 200 * 1024 * 1024;
#endif
const QByteArray ownBytes = "an own voice, kept byte for byte";

double peakOf(const mp3fixture::Decoded& decoded) {
    float peak = 0;
    for (float s : decoded.samples)
        peak = std::max(peak, std::abs(s));
    return peak;
}

struct Run {
    int exitCode;
    QString out;
    QString err;
};

// dataBytes: the most memory the program may take (0: no limit).
Run record(const QStringList& arguments, bool fullDisk = false, rlim_t dataBytes = 0) {
    QProcess process;
    process.setChildProcessModifier([fullDisk, dataBytes] {
        if (fullDisk) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fullDiskBytes, fullDiskBytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (dataBytes) {
            const rlimit limit{dataBytes, dataBytes};
            setrlimit(RLIMIT_DATA, &limit);
        }
    });
    process.start(QStringLiteral(MIRABOSC_RECORD_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The take's samples edited and written back as a 32-bit float WAV, which carries any value.
bool writeEdited(const QString& wav, const QString& out,
                 const std::function<void(float*, qint64)>& edit) {
    const QString raw = out + QStringLiteral(".raw");
    if (!spokentake::sox({wav, QStringLiteral("-t"), QStringLiteral("f32"), raw}))
        return false;
    QByteArray samples = safewrite::read(raw);
    edit(reinterpret_cast<float*>(samples.data()), samples.size() / qint64(sizeof(float)));
    QByteArray header(
        "RIFF....WAVEfmt \x10\0\0\0\3\0\2\0\x80\xbb\0\0\0\xdc\x05\0\x08\0\x20\0data....", 44);
    qToLittleEndian<quint32>(quint32(36 + samples.size()), header.data() + 4);
    qToLittleEndian<quint32>(quint32(samples.size()), header.data() + 40);
    safewrite::write(out, header + samples);
    return true;
}

// Every file under the folder's hidden history, with its bytes.
QMap<QString, QByteArray> history(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root + QStringLiteral("/.desfar"), QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        files.insert(file, safewrite::read(file));
    }
    return files;
}

// Hidden files left in the four folders: temporary files of a write that failed.
QStringList strayFiles(const QString& root) {
    QStringList stray;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (it.next(); it.fileName().startsWith(QLatin1Char('.')) &&
                       it.fileName() != FolderLock::fileName() &&
                       it.fileName() != gamelock::fileName &&
                       !it.filePath().contains(QLatin1String("/.desfar/")))
            stray << it.filePath();
    return stray;
}

// A zip written byte by byte, stored, so that a test can make it lie: a declared size, a name
// leading out, a link's mode.
struct ZipEntry {
    QByteArray name;
    QByteArray bytes;
    quint32 declared = 0; // 0: the real size
    quint32 mode = 0100644;
};

quint32 crc32Of(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray zipOf(const std::vector<ZipEntry>& entries) {
    QByteArray zip, directory;
    const auto put = [](QByteArray& out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.append(char(value >> (8 * i)));
    };
    for (const ZipEntry& entry : entries) {
        const quint32 size = entry.declared ? entry.declared : quint32(entry.bytes.size());
        QByteArray common;
        for (const auto& [value, bytes] : std::vector<std::pair<quint32, int>>{
                 {20, 2}, {0, 2}, {0, 2}, {0, 2}, {0x21, 2}, {crc32Of(entry.bytes), 4}})
            put(common, value, bytes);
        put(common, size, 4);
        put(common, size, 4);
        put(common, quint32(entry.name.size()), 2);
        put(common, 0, 2);
        const quint32 offset = quint32(zip.size());
        put(zip, 0x04034b50, 4);
        zip += common + entry.name + entry.bytes;
        put(directory, 0x02014b50, 4);
        put(directory, 0x0314, 2);
        directory += common;
        for (const quint32 value : {0u, 0u, 0u})
            put(directory, value, 2);
        put(directory, entry.mode << 16, 4);
        put(directory, offset, 4);
        directory += entry.name;
    }
    const quint32 start = quint32(zip.size());
    zip += directory;
    put(zip, 0x06054b50, 4);
    put(zip, 0, 4);
    put(zip, quint32(entries.size()), 2);
    put(zip, quint32(entries.size()), 2);
    put(zip, quint32(directory.size()), 4);
    put(zip, start, 4);
    put(zip, 0, 2);
    return zip;
}

// A PNG's signature and header alone: enough for a reader to learn its size.
QByteArray pngHeader(quint32 width, quint32 height) {
    const auto bigEndian = [](quint32 value) {
        QByteArray bytes(4, '\0');
        qToBigEndian(value, bytes.data());
        return bytes;
    };
    const QByteArray header =
        "IHDR" + bigEndian(width) + bigEndian(height) + QByteArray("\x08\x02\0\0\0", 5);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    for (const QByteArray& body :
         {header, QByteArray("IDAT\x78\x9c\x03\0\0\0\0\x01", 12), QByteArray("IEND")})
        png += bigEndian(quint32(body.size() - 4)) + body + bigEndian(crc32Of(body));
    return png;
}

// Every file of a set with its bytes, hidden ones and links' targets included.
QMap<QString, QByteArray> setFiles(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        files.insert(file.mid(root.size()), it.fileInfo().isSymLink()
                                                ? it.fileInfo().symLinkTarget().toUtf8()
                                                : safewrite::read(file));
    }
    return files;
}

// A set's texts as every reader reads them: its own rows over its base's; and its voices' marks.
QMap<QString, QString> textsRead(const QString& set) {
    QMap<QString, QString> texts;
    const QStringList layers = content::TextLayers::folders(set);
    for (const QString& name :
         {catalogue::familiesText, catalogue::albumText, catalogue::phrasesText})
        texts.insert(name,
                     content::TextLayers::textOf(content::TextLayers::read(layers, name, {})));
    if (const QString marks = set + "/textes/" + catalogue::voiceMarksText;
        QFileInfo(marks).size() > 0)
        texts.insert(catalogue::voiceMarksText, QString::fromUtf8(safewrite::read(marks)));
    return texts;
}

} // namespace

class TestVoices : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void importWritesTrimmedLevelledMonoVoice_data();
    void importWritesTrimmedLevelledMonoVoice();
    void refusalLeavesOldFileByteForByte_data();
    void refusalLeavesOldFileByteForByte();
    void twoWritersAtOnceKeepBothTakes();
    void undoWalksTheHistoryOfALightSet();
    void olderFullCopyKeepsOwnVoicesOnly();
    void exportThenImportOnAnEmptyAccountGivesTheSameFiles();
    void hostileSetArchiveChangesNothing_data();
    void hostileSetArchiveChangesNothing();
    void undoImportStepsBackThroughEverySetKept();
    void userSetFollowsItsClassSetWhereItChangedNothing();
    void everyViewOfASetAgreesAsItsClassSetChanges();
    void setZippedAgainByADesktopIsImported_data();
    void setZippedAgainByADesktopIsImported();
    void setTextsAreReadByOneRuleEverywhere_data();
    void setTextsAreReadByOneRuleEverywhere();
    void refusedWordChangesNothing_data();
    void refusedWordChangesNothing();
    void pictureOfAnyShapeOrRefused_data();
    void pictureOfAnyShapeOrRefused();
    void classSetRoundTripKeepsEveryFileAndMark();
    void turnedPhotoBecomesLargeAndSmallCardInTheHouseStyle();
    void changedWordIsOnItsCardAndOnlySyntheticVoicesSpeakIt();
    void speechIsFoundWholeInEveryKindOfTake_data();
    void speechIsFoundWholeInEveryKindOfTake();
    void everyDefaultWordAndPageIsVoicedAgain_data();
    void everyDefaultWordAndPageIsVoicedAgain();
    void playFamilySoundsItsEightVoicesInOrder();

private:
    QTemporaryDir takes_;
    QTemporaryDir folder_;
    spokentake::Word word_;
    std::vector<speechcorpus::Recipe> corpus_;
    double defaultLoudness_ = 0;
};

void TestVoices::init() {
    [[maybe_unused]] const QByteArray row = QTest::currentTestFunction();
#ifdef MIRABOSC_ADDRESS_SANITIZER
    if (workflows.contains(row))
        QSKIP("a workflow over the program's own sets: the plain build runs it");
#elif defined(MIRABOSC_READERS_SANITIZED)
    if (!workflows.contains(row) && !unsanitizedLimits.contains(row))
        QSKIP("the sanitized build runs it");
#endif
}

void TestVoices::initTestCase() {
    word_ = spokentake::make(takes_.path());
    QVERIFY2(!word_.wav.isEmpty(), "espeak-ng and sox make the test's take");
    for (const char* format : {"flac", "ogg", "mp3"})
        QVERIFY(spokentake::convert(word_.wav, takes_.filePath(QStringLiteral("take.") + format)));
    QVERIFY(spokentake::sox({QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("48000"),
                             QStringLiteral("-c"), QStringLiteral("2"),
                             takes_.filePath(QStringLiteral("silence.wav")), QStringLiteral("trim"),
                             QStringLiteral("0"), QStringLiteral("2")}));
    QVERIFY(spokentake::sox(QStringList{QStringLiteral("-n"), takes_.filePath("whistle.wav")} +
                            QStringLiteral("synth 2 sine 1000 channels 2 rate 48000").split(u' ')));
    // A device that starts with digital silence before the room is heard.
    QVERIFY(
        spokentake::convert(word_.wav, takes_.filePath(QStringLiteral("zeros.wav")),
                            {QStringLiteral("pad"), QStringLiteral("0.5"), QStringLiteral("0.5")}));
    QVERIFY(spokentake::convert(word_.wav, takes_.filePath(QStringLiteral("loud.wav")),
                                {QStringLiteral("gain"), QStringLiteral("30")}));
    QVERIFY(spokentake::convert(word_.wav, takes_.filePath(QStringLiteral("speech.wav")),
                                {QStringLiteral("repeat"), QStringLiteral("7")}));
    QVERIFY(
        spokentake::convert(word_.wav, takes_.filePath(QStringLiteral("long.flac")),
                            {QStringLiteral("pad"), QStringLiteral("0"), QStringLiteral("58")}));
    // Values no microphone gives, in the noise before the word; a 5 % offset; a key click 0.4 s
    // after the word; the take cut in the middle of the word; a pipe; a header asking for 2 GB.
    const auto at = [](double seconds) { return qint64(seconds * 48000) * 2; };
    const std::pair<const char*, std::function<void(float*, qint64)>> edits[] = {
        {"nan.wav",
         [&](float* s, qint64) {
             s[at((word_.speechStart + word_.speechEnd) / 2)] = std::nanf("");
         }},
        {"inf.wav", [&](float* s, qint64) { s[at(0.5)] = -INFINITY; }},
        {"huge.wav", [&](float* s, qint64) { s[at(0.5)] = 3e38f; }},
        {"dc.wav",
         [](float* s, qint64 n) { std::for_each(s, s + n, [](float& v) { v += 0.05f; }); }},
        {"click.wav", [&](float* s, qint64) {
             for (qint64 i = at(word_.speechEnd + 0.4); i < at(word_.speechEnd + 0.404); ++i)
                 s[i] = (i % 3 ? 0.9f : -0.9f);
         }}};
    for (const auto& [name, edit] : edits)
        QVERIFY(writeEdited(word_.wav, takes_.filePath(QLatin1String(name)), edit));
    const QByteArray whole = safewrite::read(word_.wav);
    safewrite::write(takes_.filePath(QStringLiteral("cut.wav")),
                     whole.left(qsizetype(whole.size() * (word_.speechStart + word_.speechEnd) / 2 /
                                          word_.seconds)));
    QCOMPARE(
        ::mkfifo(QFile::encodeName(takes_.filePath(QStringLiteral("fifo.wav"))).constData(), 0600),
        0);
    QVERIFY(spokentake::sox({QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("655350"),
                             QStringLiteral("-c"), QStringLiteral("8"), QStringLiteral("-b"),
                             QStringLiteral("16"), takes_.filePath(QStringLiteral("wide.flac")),
                             QStringLiteral("trim"), QStringLiteral("0"), QStringLiteral("1")}));
    // An MP3 without a length header whose size, a cover picture included, says nothing of it.
    QImage cover(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < cover.height(); ++y)
        for (int x = 0; x < cover.width(); ++x)
            cover.setPixel(x, y, uint(qHash(x * 7919 + y)));
    QVERIFY(cover.save(takes_.filePath(QStringLiteral("cover.png"))));
    QCOMPARE(QProcess::execute(QStringLiteral("lame"),
                               {QStringLiteral("--quiet"), QStringLiteral("-b"),
                                QStringLiteral("64"), QStringLiteral("-t"), QStringLiteral("--ti"),
                                takes_.filePath(QStringLiteral("cover.png")), word_.wav,
                                takes_.filePath(QStringLiteral("cover.mp3"))}),
             0);
    QFile garbage(takes_.filePath(QStringLiteral("garbage.wav")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("RIFF\x10\0\0\0WAVEjunk", 16).repeated(64));
    garbage.close();
    // The default voices' own loudness, which every recorded voice should match.
    for (int number = 1; number <= 8; ++number) {
        const mp3fixture::Decoded voice = mp3fixture::decode(
            TestAssets::defaultAssetDir() + QStringLiteral("/sons_familles/%1.mp3").arg(number));
        defaultLoudness_ += takeprocessor::loudness({int(voice.rate), 1, voice.samples}) / 8;
    }
    // Pictures of every shape, a format not documented, a JPEG cut short, a lying header.
    const std::pair<const char*, QSize> shapes[] = {
        {"thin.png", {65535, 1}}, {"tall.png", {8, 56592}}, {"wide.png", {200000, 2}}};
    for (const auto& [name, size] : shapes) {
        QImage shape(size, QImage::Format_RGB32);
        shape.fill(Qt::darkRed);
        QVERIFY(shape.save(takes_.filePath(QLatin1String(name))));
    }
    QImage deep(4400, 4400, QImage::Format_RGBX64);
    deep.fill(Qt::darkBlue);
    QVERIFY(deep.save(takes_.filePath(QStringLiteral("deep.png"))));
    safewrite::write(takes_.filePath(QStringLiteral("huge.png")), pngHeader(20000, 20000));
    const QByteArray thin = pngHeader(2000, 1), ihdrEnd = thin.left(33);
    safewrite::write(takes_.filePath(QStringLiteral("lying.png")),
                     ihdrEnd + QByteArray("\x7f\xff\xff\xf0tEXtkey\0value", 18) + thin.mid(33));
    safewrite::write(takes_.filePath(QStringLiteral("small.gif")),
                     QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000"
                                         "002c00000000010001000002024401003b"));
    // One pixel of CMYK at 16 bits a channel, which Qt's TIFF reader cannot take; and the same
    // cut within its pixels.
    const QByteArray cmyk = QByteArray::fromHex(
        "49492a00080000000a0000010300010000000100000001010300010000000100000002010300"
        "0400000086000000030103000100000001000000060103000100000005000000110104000100"
        "00008e0000001501030001000000040000001601030001000000010000001701040001000000"
        "080000001c01030001000000010000000000000010001000100010008000800080008000");
    safewrite::write(takes_.filePath(QStringLiteral("cmyk16.tif")), cmyk);
    safewrite::write(takes_.filePath(QStringLiteral("cut.tif")), cmyk.left(cmyk.size() - 4));
    safewrite::write(takes_.filePath(QStringLiteral("short.tif")), cmyk.left(6));
    QByteArray jpeg;
    QBuffer jpegBuffer(&jpeg);
    QVERIFY(jpegBuffer.open(QIODevice::WriteOnly) && cover.save(&jpegBuffer, "JPEG"));
    safewrite::write(takes_.filePath(QStringLiteral("cut.jpg")), jpeg.left(jpeg.size() / 2));
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
    QTest::newRow("a NaN sample") << "nan.wav"
                                  << "sons_familles/55.mp3";
    QTest::newRow("an infinite sample") << "inf.wav"
                                        << "sons_familles/54.mp3";
    QTest::newRow("a 3e38 sample") << "huge.wav"
                                   << "sons_familles/53.mp3";
    QTest::newRow("a 5 % DC offset") << "dc.wav"
                                     << "sons_familles/52.mp3";
    QTest::newRow("mp3 with a cover picture") << "cover.mp3"
                                              << "sons_familles/50.mp3";
    QTest::newRow("a key click after the word") << "click.wav"
                                                << "sons_familles/51.mp3";
    QTest::newRow("clipped by the sound card") << "loud.wav"
                                               << "sons_familles/49.mp3";
}

void TestVoices::importWritesTrimmedLevelledMonoVoice() {
    QFETCH(QString, take);
    QFETCH(QString, target);
    const Run run = record({QStringLiteral("--folder"), folder_.path(), QStringLiteral("--import"),
                            takes_.filePath(take), QStringLiteral("--to"), target});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.count(QLatin1Char('\n')), 1);
    // The command line warns as the window does; values no microphone gives count as clipped.
    QCOMPARE(run.out.contains(QStringLiteral("saturat")),
             QStringList({"loud.wav", "nan.wav", "inf.wav", "huge.wav"}).contains(take));
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
    // Levelled by loudness, as the default voices are: one click cannot push the word down.
    const double lufs = takeprocessor::loudness({int(voice.rate), 1, voice.samples});
    QVERIFY2(std::abs(lufs - defaultLoudness_) < loudnessToleranceLu,
             qPrintable(QStringLiteral("%1 LUFS against %2").arg(lufs).arg(defaultLoudness_)));
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
    QTest::newRow("a steady whistle") << "whistle.wav" << card << false << "paraula";
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
    // Room for the replaced voice but not for the new one, longer: nothing may move into history.
    QTest::newRow("full disk") << "speech.wav" << card << true << "Escritura impossibla";
    QTest::newRow("a pipe") << "fifo.wav" << card << false << "fichièr ordinari";
    QTest::newRow("cut mid-word") << "cut.wav" << card << false << "damatjat";
    QTest::newRow("8 channels at 655350 Hz") << "wide.flac" << card << false << "655350 Hz";
    QTest::newRow("history led out of the folder") << "take.wav" << card << false << "pas dins";
}

void TestVoices::refusalLeavesOldFileByteForByte() {
    QFETCH(QString, take);
    QFETCH(QString, target);
    QFETCH(bool, fullDisk);
    QFETCH(QString, message);
    const QString card = folder_.filePath(QStringLiteral("sons_familles/6.mp3"));
    safewrite::write(card, ownBytes);
    // Two earlier imports make a history that no refusal may change.
    for (const char* earlier : {"take.ogg", "take.wav"})
        QCOMPARE(record({QStringLiteral("--folder"), folder_.path(), QStringLiteral("--import"),
                         takes_.filePath(QLatin1String(earlier)), QStringLiteral("--to"),
                         QStringLiteral("sons_familles/6.mp3")})
                     .exitCode,
                 0);
    const QByteArray current = safewrite::read(card);
    const auto before = history(folder_.path());
    QTemporaryDir outside;
    const QString undo = folder_.filePath(QStringLiteral(".desfar"));
    const bool ledOut = QTest::currentDataTag() == QLatin1String("history led out of the folder");
    if (ledOut) {
        QVERIFY(QDir().rename(undo, undo + QStringLiteral(".kept")));
        QVERIFY(QFile::link(outside.path(), undo));
    }
    const Run run = record({QStringLiteral("--folder"), folder_.path(), QStringLiteral("--import"),
                            takes_.filePath(take), QStringLiteral("--to"), target},
                           fullDisk);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    if (ledOut) {
        QVERIFY(QFile::remove(undo) && QDir().rename(undo + QStringLiteral(".kept"), undo));
        QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }
    QCOMPARE(safewrite::read(card), current);
    QCOMPARE(history(folder_.path()), before);
    QCOMPARE(strayFiles(folder_.path()), QStringList());
}

void TestVoices::twoWritersAtOnceKeepBothTakes() {
    const QString target = QStringLiteral("sons_familles/44.mp3");
    const auto arguments = [&](const char* take) {
        return QStringList{QStringLiteral("--folder"), folder_.path(),
                           QStringLiteral("--import"), takes_.filePath(QLatin1String(take)),
                           QStringLiteral("--to"),     target};
    };
    QSet<QByteArray> takes;
    for (const char* take : {"take.wav", "take.ogg"}) {
        QCOMPARE(record(arguments(take)).exitCode, 0);
        takes.insert(safewrite::read(folder_.filePath(target)));
    }
    for (int race = 0; race < writerRaces; ++race) {
        QProcess one, other;
        one.start(QStringLiteral(MIRABOSC_RECORD_PROGRAM), arguments("take.wav"));
        other.start(QStringLiteral(MIRABOSC_RECORD_PROGRAM), arguments("take.ogg"));
        QVERIFY(one.waitForFinished(60000) && other.waitForFinished(60000));
        QCOMPARE(one.exitCode() + other.exitCode(), 0);
        // One take is the voice, the other the newest step of its history: none vanished.
        const QDir steps(folder_.filePath(QStringLiteral(".desfar/sons_familles/44")));
        const QByteArray newestStep =
            safewrite::read(steps.filePath(steps.entryList(QDir::Files, QDir::Name).last()));
        QCOMPARE(QSet<QByteArray>({safewrite::read(folder_.filePath(target)), newestStep}), takes);
    }
}

void TestVoices::undoWalksTheHistoryOfALightSet() {
    const QString defaults = TestAssets::defaultAssetDir();
    QTemporaryDir root;
    SetFolder folder(root.path(), defaults);
    QVERIFY(folder.fillFromDefaultSet() > SetFolder::voiceCount);
    // A write killed midway leaves its temporary file; the next fill clears it.
    safewrite::write(root.filePath(QStringLiteral("sons_familles/.3.mp3.tmp-k1ll3d")), ownBytes);
    QCOMPARE(folder.fillFromDefaultSet(), 0); // nothing is made twice
    QCOMPARE(strayFiles(root.path()), QStringList());
    // The first use copies nothing: every file is a link to the installed set.
    QCOMPARE(QFileInfo(folder.pathOf(QStringLiteral("img_album/17.bmp"))).symLinkTarget(),
             defaults + QStringLiteral("/img_album/17.bmp"));
    QVERIFY(locations::isComplete(root.path(), defaults));
    SetFolder installed(defaults, defaults);
    QVERIFY_THROWS_EXCEPTION(SetRefused, installed.fillFromDefaultSet());
    const QString name = QStringLiteral("son_album/5.mp3");
    const QByteArray generated = safewrite::read(folder.pathOf(name));
    QVERIFY(!folder.canUndo(name));
    folder.write(name, ownBytes);
    folder.write(name, ownBytes + ", again");
    QVERIFY(folder.isOwn(name));
    QCOMPARE(folder.ownCount(), 1);
    folder.undo(name);
    QCOMPARE(safewrite::read(folder.pathOf(name)), ownBytes);
    folder.undo(name); // several steps back
    QCOMPARE(safewrite::read(folder.pathOf(name)), generated);
    QVERIFY(!folder.isOwn(name) && !folder.canUndo(name));
    folder.redo(name);
    QCOMPARE(safewrite::read(folder.pathOf(name)), ownBytes);
    folder.restoreDefault(name);
    QVERIFY(QFileInfo(folder.pathOf(name)).isSymLink());
    QCOMPARE(folder.ownCount(), 0);
    folder.undo(name);
    QCOMPARE(safewrite::read(folder.pathOf(name)), ownBytes);
    // A change of several files killed between its renames lands whole at the next start; its
    // list moves nothing but files written aside, and nothing from outside the set.
    const QString card = folder.pathOf(QStringLiteral("img_familles/12.bmp"));
    const QString text = folder.pathOf(QStringLiteral("textes/familles.txt"));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("textes"))));
    const QString outside = root.filePath(QStringLiteral("../.outside.tmp-k1ll3d"));
    safewrite::write(outside, "from outside");
    const QString cardAside = safewrite::writeAside(card, "a new card");
    QVERIFY(QFile::link(QFileInfo(root.path()).path(), root.filePath(QStringLiteral("away"))));
    safewrite::write(root.filePath(RenameJournal::fileName),
                     QStringLiteral("%1\timg_familles/12.bmp\n%2\ttextes/familles.txt\n"
                                    "../.outside.tmp-k1ll3d\t%3\nsons_familles/2.mp3\t%3\n"
                                    "away/.outside.tmp-k1ll3d\taway/.moved\n")
                         .arg(QDir(root.path()).relativeFilePath(cardAside),
                              QDir(root.path()).relativeFilePath(safewrite::writeAside(text, "a")),
                              name)
                         .toUtf8());
    QCOMPARE(folder.fillFromDefaultSet(), 0);
    QCOMPARE(safewrite::read(card), QByteArray("a new card"));
    QCOMPARE(safewrite::read(text), QByteArray("a"));
    QCOMPARE(safewrite::read(folder.pathOf(name)), ownBytes);
    QVERIFY(QFileInfo::exists(outside) &&
            QFileInfo(folder.pathOf("sons_familles/2.mp3")).isSymLink());
    QVERIFY(!QFileInfo::exists(root.filePath(RenameJournal::fileName)));
    // A list that is a FIFO holds no start.
    QVERIFY(::mkfifo(QFile::encodeName(root.filePath(RenameJournal::fileName)).constData(), 0644) ==
            0);
    QCOMPARE(folder.fillFromDefaultSet(), 0);
    QFile::remove(outside);
}

void TestVoices::olderFullCopyKeepsOwnVoicesOnly() {
    // A set of version 1.0: a full copy with one own voice and its one undo file.
    QTemporaryDir root;
    QVERIFY(QProcess::execute(QStringLiteral("cp"),
                              {QStringLiteral("-r"),
                               TestAssets::defaultAssetDir() + QStringLiteral("/."),
                               root.path()}) == 0);
    const QString name = QStringLiteral("sons_familles/9.mp3");
    safewrite::write(root.filePath(name), ownBytes);
    // A synthetic voice as 1.0 installed it, since made anew: still a default, not the user's.
    QVERIFY(QFile::remove(root.filePath(QStringLiteral("sons_familles/10.mp3"))));
    QVERIFY(QFile::copy(QFINDTESTDATA("sons_familles-10-of-1.0.mp3"),
                        root.filePath(QStringLiteral("sons_familles/10.mp3"))));
    QDir().mkpath(root.filePath(QStringLiteral(".desfar/sons_familles")));
    safewrite::write(root.filePath(QStringLiteral(".desfar/") + name), "its undo");
    SetFolder folder(root.path(), TestAssets::defaultAssetDir());
    QCOMPARE(folder.fillFromDefaultSet(), 195 + catalogue::phraseCount); // and the phrases' links
    QCOMPARE(folder.ownCount(), 1);
    // Once the set keeps its marks, a copy made by hand is not the class's recording.
    const QString copied = QStringLiteral("sons_familles/7.mp3");
    QVERIFY(QFile::remove(folder.pathOf(copied)) &&
            QFile::copy(TestAssets::defaultAssetDir() + '/' + copied, folder.pathOf(copied)));
    QCOMPARE(folder.ownCount(), 1);
    // The window's count follows the marks as the list does, the files unchanged.
    VoiceStates states(folder);
    states.rescan();
    FileOrigins marks = FileOrigins::load(root.path());
    marks.set(copied, FileOrigins::Origin::Recorded);
    marks.save(root.path());
    states.rescan();
    QCOMPARE(states.ownCount(), folder.ownCount());
    QCOMPARE(states.ownCount(), 2);
    QVERIFY(!QFileInfo(folder.pathOf(name)).isSymLink());
    folder.undo(name);
    QCOMPARE(safewrite::read(folder.pathOf(name)), QByteArray("its undo"));
    // No folder inside an installed set is written, nor anything in it.
    QTemporaryDir set;
    QVERIFY(QProcess::execute(QStringLiteral("cp"),
                              {QStringLiteral("-as"),
                               TestAssets::defaultAssetDir() + QStringLiteral("/."), set.path()}) ==
            0);
    SetFolder inside(set.filePath(QStringLiteral("son_album")), set.path());
    QVERIFY_THROWS_EXCEPTION(SetRefused, inside.fillFromDefaultSet());
    QCOMPARE(QDir(set.filePath(QStringLiteral("son_album"))).count(),
             uint(catalogue::albumPageCount + 2));
}

void TestVoices::exportThenImportOnAnEmptyAccountGivesTheSameFiles() {
    QTemporaryDir work;
    const QString mine = work.filePath(QStringLiteral("mine"));
    const QString voice = QStringLiteral("sons_familles/5.mp3");
    QCOMPARE(record({QStringLiteral("--folder"), mine, QStringLiteral("--import"),
                     takes_.filePath(QStringLiteral("take.wav")), QStringLiteral("--to"), voice})
                 .exitCode,
             0);
    // A drawing in place of card 2's picture, and the set's texts.
    const QString picture = QStringLiteral("img_familles/v2.bmp");
    QFile::remove(mine + QLatin1Char('/') + picture);
    QVERIFY(QFile::copy(TestAssets::defaultAssetDir() + QStringLiteral("/img_familles/v3.bmp"),
                        mine + QLatin1Char('/') + picture));
    QVERIFY(QDir().mkpath(mine + QStringLiteral("/textes")));
    for (const char* texts : {"/familles.txt", "/album.txt", "/frasas.txt"})
        QVERIFY(QFile::copy(QStringLiteral(MIRABOSC_DATA_DIR) + QLatin1String(texts),
                            mine + QStringLiteral("/textes") + QLatin1String(texts)));
    // And the game's phrases: a name recorded by the class.
    const QString phrase = QStringLiteral("son_frasas/9.mp3");
    QVERIFY(QFile::remove(mine + QLatin1Char('/') + phrase)); // its link to the installed set
    QVERIFY(QFile::copy(TestAssets::defaultAssetDir() + QStringLiteral("/sons_familles/2.mp3"),
                        mine + QLatin1Char('/') + phrase));
    const QString archive = work.filePath(QStringLiteral("nòstra-classa.mirabosc"));
    const Run exported =
        record({QStringLiteral("--folder"), mine, QStringLiteral("--export"), archive});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY2(exported.out.contains(QStringLiteral(": 6 fichièr(s)")), qPrintable(exported.out));
    const QString theirs = work.filePath(QStringLiteral("theirs"));
    const Run first =
        record({QStringLiteral("--folder"), theirs, QStringLiteral("--import-set"), archive});
    QCOMPARE(first.exitCode, 0);
    // No earlier set was there: none is said to be kept.
    QVERIFY2(!first.out.contains(QStringLiteral("gardat")), qPrintable(first.out));
    for (const char* folder : catalogue::assetFolders)
        for (const QString& file : QDir(mine + QLatin1Char('/') + folder).entryList(QDir::Files)) {
            const QString name = QLatin1String(folder) + QLatin1Char('/') + file;
            QCOMPARE(safewrite::read(theirs + QLatin1Char('/') + name),
                     safewrite::read(mine + QLatin1Char('/') + name));
        }
    QCOMPARE(textsRead(theirs), textsRead(mine));
    QCOMPARE(safewrite::read(theirs + QLatin1Char('/') + phrase),
             safewrite::read(mine + QLatin1Char('/') + phrase));
    // Only the changes travel: the rest links to the installed set.
    QVERIFY(QFileInfo(theirs + QStringLiteral("/img_familles/v3.bmp")).isSymLink());
    QVERIFY(!QFileInfo(theirs + QLatin1Char('/') + picture).isSymLink());
    // Imported again: the set replaced is kept aside; a link there goes, not what it leads to.
    const QString kept = mine + QStringLiteral("/textes/familles.txt");
    QVERIFY(QFile::link(mine + QStringLiteral("/textes"), theirs + QStringLiteral(".abans")));
    QCOMPARE(record({QStringLiteral("--folder"), theirs, QStringLiteral("--import-set"), archive})
                 .exitCode,
             0);
    QVERIFY(QFileInfo::exists(kept));
    QVERIFY(QFileInfo(setimport::previousSets(theirs).constLast() + '/' + picture).isFile());
}

void TestVoices::hostileSetArchiveChangesNothing_data() {
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<QString>("message");
    const QByteArray mp3 =
        safewrite::read(TestAssets::defaultAssetDir() + QStringLiteral("/sons_familles/3.mp3"));
    const QByteArray good = zipOf({{"sons_familles/2.mp3", mp3}});
    QTest::newRow("damaged") << good.left(good.size() / 2) + QByteArray(64, 'x') + good.mid(40)
                             << "refusat";
    QTest::newRow("../ entry") << zipOf({{"sons_familles/../../evil.mp3", mp3}})
                               << "pas un fichièr del jòc";
    QTest::newRow("absolute entry")
        << zipOf({{"/tmp/sons_familles/2.mp3", mp3}}) << "pas un fichièr del jòc";
    QTest::newRow("2 GB declared")
        << zipOf({{"img_album/1.bmp", "BM", 0x80000000u}}) << "tròp grand";
    QTest::newRow("a link") << zipOf({{"sons_familles/2.mp3", "/etc/passwd", 0, 0120777}})
                            << "fichièr ordinari";
    QTest::newRow("a device") << zipOf({{"sons_familles/2.mp3", "", 0, 0020666}})
                              << "fichièr ordinari";
    QTest::newRow("not a voice") << zipOf({{"sons_familles/2.mp3", "not an mp3"}})
                                 << "sons_familles";
    QTest::newRow("broken texts") << zipOf({{"textes/familles.txt", "family 9 | x | y\n"}})
                                  << "familles.txt";
    const QByteArray families = safewrite::read(QStringLiteral(MIRABOSC_DATA_DIR "/familles.txt"));
    const QByteArray album = safewrite::read(QStringLiteral(MIRABOSC_DATA_DIR "/album.txt"));
    QTest::newRow("a name of 5000 characters")
        << zipOf({{"sons_familles/2.mp3", mp3},
                  {"textes/familles.txt",
                   QByteArray(families).replace("la familha", QByteArray(5000, 'a'))},
                  {"textes/album.txt", album}})
        << "refusat, l'importacion a pas res cambiat : textes/familles.txt, linha 19";
    QTest::newRow("end of a zip alone") << QByteArray("PK\x05\x06", 4) << "refusat";
    QTest::newRow("empty zip") << zipOf({}) << "cap de fichièr";
    QTest::newRow("texts without the album")
        << zipOf({{"sons_familles/2.mp3", mp3}, {"textes/familles.txt", families}}) << "album.txt";
    QTest::newRow("manifest and files disagree")
        << zipOf({{"sons_familles/2.mp3", mp3},
                  {"mirabosc-joc.txt", "mirabosc-joc 1\nbase installat\nfile sons_familles/2.mp3 "
                                       "recorded 00\n"}})
        << "pas lo fichièr nomenat";
    const QByteArray named =
        "file sons_familles/2.mp3 recorded " +
        QCryptographicHash::hash(mp3, QCryptographicHash::Blake2b_256).toHex() + "\n";
    QTest::newRow("a file named twice")
        << zipOf({{"sons_familles/2.mp3", mp3},
                  {"mirabosc-joc.txt", "mirabosc-joc 1\nbase installat\n" + named + named}})
        << "sons_familles/2.mp3 i es nomenat dos còps";
    QImage tiny(10, 10, QImage::Format_RGB888);
    tiny.fill(Qt::red);
    QByteArray bmp;
    QBuffer bmpBuffer(&bmp);
    QVERIFY(bmpBuffer.open(QIODevice::WriteOnly) && tiny.save(&bmpBuffer, "BMP"));
    QTest::newRow("a 10 x 10 card")
        << zipOf({{"img_familles/v2.bmp", bmp}}) << "img_familles/v2.bmp : imatge mai pichona";
    QTest::newRow("a 5790 x 5790 drawing")
        << zipOf({{"sons_familles/2.mp3", mp3},
                  {"dessenhs/sons_familles-10.fill.png", pngHeader(5790, 5790)}})
        << "tròp grand";
}

void TestVoices::hostileSetArchiveChangesNothing() {
    QFETCH(QByteArray, zip);
    QFETCH(QString, message);
    QTemporaryDir work;
    const QString set = work.filePath(QStringLiteral("set"));
    QCOMPARE(record({QStringLiteral("--folder"), set, QStringLiteral("--import"),
                     takes_.filePath(QStringLiteral("take.wav")), QStringLiteral("--to"),
                     QStringLiteral("sons_familles/2.mp3")})
                 .exitCode,
             0);
    const auto before = setFiles(set);
    const QString archive = work.filePath(QStringLiteral("hostile.mirabosc"));
    safewrite::write(archive, zip);
    const Run run =
        record({QStringLiteral("--folder"), set, QStringLiteral("--import-set"), archive});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(setFiles(set), before);
    QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList({QStringLiteral("hostile.mirabosc"), QStringLiteral("set")}));
}

// Each import keeps the set it replaces; undo steps back through all of them in turn and redo
// forward again, however quickly one follows another.
void TestVoices::undoImportStepsBackThroughEverySetKept() {
    QTemporaryDir work;
    const QString voice = QStringLiteral("sons_familles/5.mp3");
    const auto voiceOf = [&voice](const QString& set) {
        return safewrite::read(set + QLatin1Char('/') + voice);
    };
    const auto made = [&work, &voice](const QString& name, int card) {
        SetFolder folder(work.filePath(name), TestAssets::defaultAssetDir());
        folder.fillFromDefaultSet();
        folder.write(voice, safewrite::read(TestAssets::defaultAssetDir() +
                                            QStringLiteral("/sons_familles/%1.mp3").arg(card)));
        return folder.root();
    };
    const QString hers = made(QStringLiteral("hers"), 4);
    QList<QByteArray> sets{voiceOf(hers)};
    for (int i = 1; i <= 3; ++i) {
        const QString archive = work.filePath(QStringLiteral("%1.mirabosc").arg(i));
        QCOMPARE(
            record({"--folder", made(QString::number(i), 5 + i), "--export", archive}).exitCode, 0);
        const Run run = record({"--folder", hers, "--import-set", archive});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(setimport::previousSets(hers).constLast()), qPrintable(run.out));
        sets << voiceOf(hers);
    }
    for (int i = 2; i >= 0; --i) {
        QCOMPARE(record({"--folder", hers, "--undo-import"}).exitCode, 0);
        QCOMPARE(voiceOf(hers), sets[i]);
    }
    const Run none = record({"--folder", hers, "--undo-import"});
    QCOMPARE(none.exitCode, 1);
    QVERIFY2(none.err.contains(QStringLiteral("Pas res de desfar")), qPrintable(none.err));
    for (int i = 1; i <= 2; ++i) {
        QCOMPARE(record({"--folder", hers, "--redo-import"}).exitCode, 0);
        QCOMPARE(voiceOf(hers), sets[i]);
    }
    // Within one second: the undo brings back the set the import replaced, not another.
    QCOMPARE(record({"--folder", hers, "--import-set", work.filePath("1.mirabosc")}).exitCode, 0);
    QCOMPARE(record({"--folder", hers, "--undo-import"}).exitCode, 0);
    QCOMPARE(voiceOf(hers), sets[2]);
    QCOMPARE(record({"--folder", hers, "--undo-import"}).exitCode, 0);
    QCOMPARE(voiceOf(hers), sets[1]);
    // Every other set is kept, the one undone before that import among them.
    QCOMPARE(setimport::previousSets(hers).size() + setimport::laterSets(hers).size(), 4);
}

void TestVoices::setZippedAgainByADesktopIsImported_data() {
    QTest::addColumn<QString>("zipper");  // a command run in a folder holding classa/, the set
    QTest::addColumn<QString>("message"); // empty: imported
    QTest::newRow("zip -r") << "zip -qr ../again.zip classa"
                            << "";
    // Folder entries first, and a Mac's notes beside the files, as its desktop writes them.
    QTest::newRow("Python's zipfile, as a desktop")
        << "python3 -c \"import zipfile, os\n"
           "with zipfile.ZipFile('../again.zip', 'w', zipfile.ZIP_DEFLATED) as z:\n"
           "  for d, _, fs in os.walk('classa'):\n"
           "    z.write(d)\n"
           "    for f in fs: z.write(os.path.join(d, f))\n"
           "  z.writestr('__MACOSX/classa/._textes', 'x')\n"
           "  z.writestr('classa/.DS_Store', 'x')\""
        << "";
    QTest::newRow("cut short") << "zip -qr full.zip classa && head -c 3000 full.zip > ../again.zip"
                               << "l'archiu es copat abans sa fin";
    QTest::newRow("with a password") << "zip -qr -P secret ../again.zip classa"
                                     << "l'archiu es protegit per un senhal";
}

// A set unzipped and zipped again by a file manager sits under one folder: it is still a set.
void TestVoices::setZippedAgainByADesktopIsImported() {
    QFETCH(QString, zipper);
    QFETCH(QString, message);
    QTemporaryDir work;
    const QString set = work.filePath(QStringLiteral("set"));
    SetFolder folder(set, TestAssets::defaultAssetDir());
    folder.fillFromDefaultSet();
    const QString voice = QStringLiteral("/sons_familles/5.mp3");
    folder.write(voice.mid(1),
                 safewrite::read(TestAssets::defaultAssetDir() + "/sons_familles/6.mp3"));
    const QString archive = work.filePath(QStringLiteral("set.zip"));
    QCOMPARE(record({"--folder", set, "--export", archive}).exitCode, 0);
    const QString desk = work.filePath(QStringLiteral("desk"));
    QVERIFY(QDir().mkpath(desk + QStringLiteral("/classa")));
    QCOMPARE(QProcess::execute(QStringLiteral("unzip"), {"-q", archive, "-d", desk + "/classa"}),
             0);
    QProcess zipping;
    zipping.setWorkingDirectory(desk);
    zipping.start(QStringLiteral("sh"), {QStringLiteral("-c"), zipper});
    QVERIFY(zipping.waitForFinished(60000) && zipping.exitCode() == 0);
    const QString theirs = work.filePath(QStringLiteral("theirs"));
    const Run run = record({"--folder", theirs, "--import-set", work.filePath("again.zip")});
    QCOMPARE(run.exitCode == 0, message.isEmpty());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    if (message.isEmpty())
        QCOMPARE(safewrite::read(theirs + voice), safewrite::read(set + voice));
}

// A user's set on a class set: a word she never changed is the class set's, whatever it becomes;
// hers stays hers. Her texts, her links, the checker and her list agree at every step.
void TestVoices::userSetFollowsItsClassSetWhereItChangedNothing() {
    QTemporaryDir work;
    const QString shared = work.filePath(QStringLiteral("mirabosc"));
    QVERIFY(QProcess::execute(
                QStringLiteral("cp"),
                {QStringLiteral("-as"), TestAssets::defaultAssetDir() + "/.", shared}) == 0);
    QVERIFY(QDir().mkpath(shared + QStringLiteral("/textes")));
    const auto classWords = [&shared](const QByteArray& from, const QByteArray& to) {
        QByteArray texts = safewrite::read(QStringLiteral(MIRABOSC_DATA_DIR "/familles.txt"));
        safewrite::write(shared + QStringLiteral("/textes/familles.txt"), texts.replace(from, to));
        safewrite::write(shared + QStringLiteral("/textes/album.txt"),
                         safewrite::read(QStringLiteral(MIRABOSC_DATA_DIR "/album.txt")));
    };
    classWords("lo nas", "lo nas");
    const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", QFile::encodeName(work.path()));
    const QString hers = work.filePath(QStringLiteral("hers"));
    QCOMPARE(record({"--folder", hers, "--word", "12", "la gaunha"}).exitCode, 0);
    // Her texts as an earlier version kept them: a full copy, her word in it.
    QByteArray copy = safewrite::read(QStringLiteral(MIRABOSC_DATA_DIR "/familles.txt"));
    safewrite::write(hers + QStringLiteral("/textes/familles.txt"),
                     copy.replace("| la boca |", "| la gaunha |"));
    // A colleague changes cards 11 and 12 in the class set; her next start follows it for 11.
    classWords("| lo nas |", "| lo nàs |");
    QByteArray both = safewrite::read(shared + QStringLiteral("/textes/familles.txt"));
    safewrite::write(shared + QStringLiteral("/textes/familles.txt"),
                     both.replace("| la boca |", "| la bocassa |"));
    SetFolder(hers, shared).fillFromDefaultSet();
    const QString list = record({"--folder", hers, "--list"}).out;
    qputenv("XDG_DATA_DIRS", dataDirs);
    QVERIFY2(list.contains(QStringLiteral("sons_familles/11.mp3\tlo nàs\t")), qPrintable(list));
    QVERIFY(list.contains(QStringLiteral("sons_familles/12.mp3\tla gaunha\t")));
    // Converted once: her copy keeps her own row alone.
    const QString own =
        QString::fromUtf8(safewrite::read(hers + QStringLiteral("/textes/familles.txt")));
    QCOMPARE(own.count(QRegularExpression(QStringLiteral("^(card|family) "),
                                          QRegularExpression::MultilineOption)),
             1);
    QVERIFY(own.contains(QStringLiteral("card 12 | la gaunha")));
    QProcess check;
    check.start(QStringLiteral(MIRABOSC_CHECK_PROGRAM), {hers});
    QVERIFY(check.waitForFinished(60000));
    QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());
}

// A class's whole path, with the class set changing under a teacher's own set: installed,
// changed in place, replaced, the replacement undone. At each step, before her workshop opens
// again and after, the game, the checker, the workshop's list and window and an export give
// every voice the same word, the one each step makes true; the export carries her files as the
// game reads them.
void TestVoices::everyViewOfASetAgreesAsItsClassSetChanges() {
    QTemporaryDir work;
    const QString shared = work.filePath(QStringLiteral("class/mirabosc"));
    const QString hers = work.filePath(QStringLiteral("hers/mirabosc"));
    const QString colleague = work.filePath(QStringLiteral("colleague/mirabosc"));
    const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", QFile::encodeName(work.filePath(QStringLiteral("class"))));
    const auto as = [](const QString& set, const QStringList& arguments) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(QFileInfo(set).path()));
        return record(arguments);
    };
    QMap<QString, QString> truth; // voice -> the word it must say, where not the default's
    const auto card = [](int number) { return catalogue::slashed(catalogue::cardSound(number)); };
    const auto compare = [&](const char* step) {
        // The game reads its words from its folder, as it plays.
        const QString here = QDir::currentPath();
        QDir::setCurrent(hers);
        const VoiceTexts game = VoiceTexts::ofCurrentSet();
        QDir::setCurrent(here);
        QStringList problems;
        QProcess check;
        check.start(QStringLiteral(MIRABOSC_CHECK_PROGRAM), {hers});
        QVERIFY(check.waitForFinished(60000));
        QVERIFY2(check.exitCode() == 0, qPrintable(step + check.readAllStandardOutput()));
        // The workshop opens again: its list, its window's rows, then an export.
        QMap<QString, QString> listed;
        for (const QString& line : as(hers, {"--list"}).out.split('\n'))
            if (const QStringList fields = line.split('\t'); fields.size() >= 2)
                listed.insert(fields[0], fields[1]);
        const VoiceTexts window = wordcommands::textsOf(SetFolder(hers, shared));
        const QString archive = work.filePath(QStringLiteral("hers.mirabosc"));
        QCOMPARE(as(hers, {"--export", archive}).exitCode, 0);
        const auto entries = setarchive::read(archive, TestAssets::defaultAssetDir());
        // What an import would read: the texts as the archive carries them.
        const QString unpacked = work.filePath(QStringLiteral("unpacked"));
        QVERIFY(QDir().mkpath(unpacked + QStringLiteral("/textes")));
        for (const setarchive::Entry& entry : entries) {
            if (entry.name.startsWith(QLatin1String("textes/")))
                safewrite::write(unpacked + '/' + entry.name, entry.bytes);
            else if (entry.name.contains('/'))
                QVERIFY2(entry.bytes == safewrite::read(hers + '/' + entry.name),
                         qPrintable(step + entry.name));
        }
        const VoiceTexts inExport = VoiceTexts::ofSet(unpacked, &problems);
        for (const QString& voice : SetFolder::voiceNames()) {
            const QString word = truth.value(voice, VoiceTexts::defaultSet().textOf(voice));
            const QString where = QStringLiteral("%1, %2").arg(QLatin1String(step), voice);
            QVERIFY2(game.textOf(voice) == word, qPrintable(where + " : " + game.textOf(voice)));
            QVERIFY2(listed.value(voice) == word, qPrintable(where + " : " + listed.value(voice)));
            QVERIFY2(window.textOf(voice) == word, qPrintable(where));
            QVERIFY2(inExport.textOf(voice) == word, qPrintable(where));
        }
    };
    // A colleague's set, made on a computer with no class set, exported and installed here.
    const auto install = [&](const QStringList& change, const QString& name) {
        qputenv("XDG_DATA_DIRS", QFile::encodeName(work.filePath(QStringLiteral("none"))));
        const QString archive = work.filePath(name);
        const bool made = as(colleague, change).exitCode == 0 &&
                          as(colleague, {"--export", archive}).exitCode == 0;
        qputenv("XDG_DATA_DIRS", QFile::encodeName(work.filePath(QStringLiteral("class"))));
        return made && as(colleague, {"--import-set", archive, "--system"}).exitCode == 0;
    };
    // Her own word, on the installed set; then the class set is installed.
    QCOMPARE(as(hers, {"--word", "12", "la gaunha"}).exitCode, 0);
    truth.insert(card(12), QStringLiteral("la gaunha"));
    compare("her word");
    if (QTest::currentTestFailed())
        return;
    QVERIFY(install({"--word", "11", "lo nàs"}, QStringLiteral("1.mirabosc")));
    SetFolder(hers, shared).fillFromDefaultSet(); // her workshop opens on the class set
    truth.insert(card(11), QStringLiteral("lo nàs"));
    compare("class set installed");
    if (QTest::currentTestFailed())
        return;
    // Changed in place (by a workshop that takes it for a set of its own), then replaced by the
    // colleague's next export, then the replacement undone.
    qputenv("XDG_DATA_DIRS", QFile::encodeName(work.filePath(QStringLiteral("none"))));
    QCOMPARE(record({"--folder", shared, "--word", "10", "l'uelhon"}).exitCode, 0);
    QCOMPARE(record({"--folder", shared, "--word", "12", "la bocassa"}).exitCode, 0);
    qputenv("XDG_DATA_DIRS", QFile::encodeName(work.filePath(QStringLiteral("class"))));
    truth.insert(card(10), QStringLiteral("l'uelhon"));
    compare("class set changed");
    if (QTest::currentTestFailed())
        return;
    QVERIFY(install({"--word", "13", "la dent"}, QStringLiteral("2.mirabosc")));
    truth.remove(card(10));
    truth.insert(card(13), QStringLiteral("la dent"));
    compare("class set replaced");
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(as(colleague, {"--undo-import", "--system"}).exitCode, 0);
    truth.remove(card(13));
    truth.insert(card(10), QStringLiteral("l'uelhon"));
    compare("replacement undone");
    if (QTest::currentTestFailed())
        return;
    // A full disk: the export says so, and the last one stays whole beside nothing new.
    const QString archive = work.filePath(QStringLiteral("hers.mirabosc"));
    const QByteArray exported = safewrite::read(archive);
    const Run full = record({"--folder", hers, "--export", archive}, true);
    QVERIFY2(full.exitCode == 1 && full.err.contains(QStringLiteral("Escritura impossibla")),
             qPrintable(full.err));
    QCOMPARE(safewrite::read(archive), exported);
    QCOMPARE(QDir(work.path()).entryList({QStringLiteral("*.mirabosc*")}).size(), 3);
    // Her set holds her word alone; every other word is the class set's.
    const QString own =
        QString::fromUtf8(safewrite::read(hers + QStringLiteral("/textes/familles.txt")));
    QVERIFY(own.contains(QStringLiteral("la gaunha")) && !own.contains(QStringLiteral("card 11")));
    qputenv("XDG_DATA_DIRS", dataDirs);
}

void TestVoices::setTextsAreReadByOneRuleEverywhere_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("from"); // empty: prepend `to`
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<bool>("checked"); // mirabosc-check passes
    QTest::addColumn<bool>("exported");
    QTest::addColumn<QString>("says");
    const QString families = QStringLiteral("textes/familles.txt");
    QTest::newRow("byte-order mark")
        << families << QByteArray() << QByteArray("\xEF\xBB\xBF") << true << true << "";
    QTest::newRow("CR LF lines") << QStringLiteral("textes/album.txt") << QByteArray("\n")
                                 << QByteArray("\r\n") << true << true << "";
    QTest::newRow("a name of 5000 characters")
        << families << QByteArray("| la familha |") << "| " + QByteArray(5000, 'a') + " |" << false
        << false << "linha 19 : lo tèxte es tròp long";
    QTest::newRow("BEL and U+202E")
        << families << QByteArray("lo paire") << QByteArray("lo\apa\u202Eire") << false << false
        << "lo·pa·ire";
    QTest::newRow("a zero-width space") << families << QByteArray("la cara") << QByteArray("\u200B")
                                        << false << false << "invisible";
    QTest::newRow("album of 10 MB") << QStringLiteral("textes/album.txt") << QByteArray()
                                    << "#" + QByteArray(10 << 20, 'x') + "\n"
                                    << false << false << "tròp grand";
    QTest::newRow("a word that opens with #")
        << families << QByteArray("lo nenon") << QByteArray("#nenon") << false << false
        << "comença per « # »";
    // Every reader takes the first, as every writer changes the first; the second is named.
    QTest::newRow("a card given twice")
        << families << QByteArray("card 13 |")
        << QByteArray("card 12 | la bocassa | emoji 1F444\ncard 13 |") << false << false
        << "linha 32 : « card 12 » es ja donat mai naut";
    QTest::newRow("a word its files do not say")
        << families << QByteArray("lo nas") << QByteArray("lo nàs") << false << false
        << "sons_familles/11.mp3 : legit de";
    QTest::newRow("an unreadable origin")
        << FileOrigins::fileName() << QByteArray() << QByteArray("un non-res\n") << false << false
        << "originas.txt, linha 1";
}

// The workshop's list, the checker, the export and the import read a set's texts by the same
// rules: a damaged line is named and costs nothing else, and no export is refused on import.
void TestVoices::setTextsAreReadByOneRuleEverywhere() {
    QFETCH(QString, file);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(bool, checked);
    QFETCH(bool, exported);
    QFETCH(QString, says);
    QTemporaryDir work;
    const QString set = work.filePath(QStringLiteral("set"));
    SetFolder folder(set, TestAssets::defaultAssetDir());
    folder.fillFromDefaultSet();
    const QString own = QStringLiteral("sons_familles/5.mp3");
    folder.write(own, safewrite::read(TestAssets::defaultAssetDir() + "/sons_familles/6.mp3"));
    QVERIFY(QDir().mkpath(set + QStringLiteral("/textes")));
    for (const char* texts : {"/familles.txt", "/album.txt"})
        QVERIFY(QFile::copy(QStringLiteral(MIRABOSC_DATA_DIR) + QLatin1String(texts),
                            set + QStringLiteral("/textes") + QLatin1String(texts)));
    QByteArray bytes = safewrite::read(set + QLatin1Char('/') + file);
    bytes = from.isEmpty() ? to + bytes : bytes.replace(from, to);
    safewrite::write(set + QLatin1Char('/') + file, bytes);

    QProcess check;
    check.start(QStringLiteral(MIRABOSC_CHECK_PROGRAM), {set});
    QVERIFY(check.waitForFinished(60000));
    const QString report = QString::fromUtf8(check.readAllStandardOutput());
    QVERIFY2((check.exitCode() == 0) == checked, qPrintable(report));
    QVERIFY2(report.contains(says), qPrintable(report));
    // Every line left whole still counts: its word, and the class's own voice.
    const Run list = record({QStringLiteral("--folder"), set, QStringLiteral("--list")});
    QCOMPARE(list.exitCode, 0);
    QVERIFY2(list.out.contains(QStringLiteral("sons_familles/5.mp3\tla sòrre\tvotz vòstra")),
             qPrintable(list.out));
    const QString archive = work.filePath(QStringLiteral("set.mirabosc"));
    const Run exportRun =
        record({QStringLiteral("--folder"), set, QStringLiteral("--export"), archive});
    QCOMPARE(exportRun.exitCode == 0, exported);
    QCOMPARE(QFileInfo::exists(archive), exported);
    if (exported)
        QCOMPARE(record({QStringLiteral("--folder"), work.filePath(QStringLiteral("theirs")),
                         QStringLiteral("--import-set"), archive})
                     .exitCode,
                 0);
    else
        QVERIFY2(exportRun.err.contains(says), qPrintable(exportRun.err));
}

void TestVoices::refusedWordChangesNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("message");
    QTest::newRow("a new line") << QStringList{"--word", "3", "la\nmaire"} << false
                                << "contraròtle";
    QTest::newRow("41 characters")
        << QStringList{"--word", "3", QString(41, 'a')} << false << "40 caractèrs al mai";
    QTest::newRow("a '|'") << QStringList{"--word", "3", " la | maire "} << false
                           << "« la | maire » a lo signe « | », que separa los camps";
    QTest::newRow("a leading '#'")
        << QStringList{"--word", "3", " #maire"} << false << "« #maire » comença per « # »";
    QTest::newRow("full disk") << QStringList{"--word", "4", "lo fraire gran"} << true
                               << "Escritura impossibla";
    QTest::newRow("a page, full disk")
        << QStringList{"--page", "2", "Un autre tèxte"} << true << "Escritura impossibla";
    QTest::newRow("a phrase with a '|'") << QStringList{"--phrase", "3", "Òc | aquí"} << false
                                         << "Frasa refusada : « Òc | aquí » a lo signe « | »";
}

void TestVoices::refusedWordChangesNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, fullDisk);
    QFETCH(QString, message);
    const auto before = setFiles(folder_.path());
    const Run run =
        record(QStringList{QStringLiteral("--folder"), folder_.path()} + arguments, fullDisk);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(setFiles(folder_.path()), before);
    QCOMPARE(strayFiles(folder_.path()), QStringList());
}

void TestVoices::pictureOfAnyShapeOrRefused_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message"); // empty: made
    const auto row = [](const char* name, const char* file, const char* target,
                        const char* message) {
        QTest::newRow(name) << QString(file) << QString(target) << QString::fromUtf8(message);
    };
    const char* card = "img_familles/12.bmp";
    row("65535 x 1 on a card", "thin.png", card, "");
    row("8 x 56592 on a page", "tall.png", "img_album/3.bmp", "");
    row("200000 x 2 on a miniature", "wide.png", "img_familles/mini10.bmp", "");
    row("16 bits, 4400 x 4400", "deep.png", "img_familles/13.bmp", "");
    row("20000 x 20000", "huge.png", card, "200 megapixèls al mai");
    row("a GIF", "small.gif", card, "format gif");
    row("a truncated JPEG", "cut.jpg", card, "damatjada");
    row("a PNG chunk of 2 GB", "lying.png", card, "damatjada");
    row("a 16-bit CMYK TIFF", "cmyk16.tif", card, "TIFF en CMJN a 16 bits");
    row("a TIFF cut in its pixels", "cut.tif", card, "imatge damatjada o copada");
    row("a TIFF cut in its header", "short.tif", card, "imatge damatjada o copada");
}

void TestVoices::pictureOfAnyShapeOrRefused() {
    QFETCH(QString, file);
    QFETCH(QString, target);
    QFETCH(QString, message);
    const auto before = setFiles(folder_.path());
    // The card's size bounds the work, never the picture's thin side.
    const Run run = record({QStringLiteral("--folder"), folder_.path(), QStringLiteral("--picture"),
                            takes_.filePath(file), QStringLiteral("--to"), target},
                           false, pictureMemoryBytes);
    QVERIFY2(run.exitCode == (message.isEmpty() ? 0 : 1), qPrintable(run.err));
    if (!message.isEmpty()) {
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        // Said once, in the program's words: no library writes beside it.
        QVERIFY2(run.err.count('\n') <= 1 + run.err.count(QStringLiteral("QStandardPaths")),
                 qPrintable(run.err));
        QCOMPARE(setFiles(folder_.path()), before);
        return;
    }
    QCOMPARE(QImage(folder_.filePath(target)).size(),
             QImage(TestAssets::defaultAssetDir() + QLatin1Char('/') + target).size());
    QCOMPARE(
        record({QStringLiteral("--folder"), folder_.path(), QStringLiteral("--default"), target})
            .exitCode,
        0);
}

void TestVoices::turnedPhotoBecomesLargeAndSmallCardInTheHouseStyle() {
    // Four quadrants of a 3000 x 2000 photo taken with the phone on its side (EXIF orientation
    // 6: turn 90 degrees clockwise to see it).
    QImage photo(3000, 2000, QImage::Format_RGB32);
    const QRgb quadrants[] = {qRgb(200, 30, 30), qRgb(30, 160, 40), qRgb(40, 60, 210),
                              qRgb(240, 220, 40)};
    for (int i = 0; i < 4; ++i)
        QPainter(&photo).fillRect(QRect(i % 2 * 1500, i / 2 * 1000, 1500, 1000), quadrants[i]);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && photo.save(&buffer, "JPEG", 95));
    const QByteArray exif(
        "\xFF\xE1\x00\x22"
        "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0",
        36);
    QTemporaryDir work;
    const QString file = work.filePath(QStringLiteral("dessenh.jpg"));
    safewrite::write(file, jpeg.left(2) + exif + jpeg.mid(2));
    const QString set = work.filePath(QStringLiteral("set"));
    const Run run = record({QStringLiteral("--folder"), set, QStringLiteral("--picture"), file,
                            QStringLiteral("--to"), QStringLiteral("img_familles/12.bmp")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QImage large(set + QStringLiteral("/img_familles/12.bmp"));
    QCOMPARE(large.size(), QSize(424, 576));
    QCOMPARE(QImage(set + QStringLiteral("/img_familles/v12.bmp")).size(), QSize(100, 138));
    QCOMPARE(safewrite::read(set + QStringLiteral("/img_familles/v12.bmp")).at(28), char(24));
    // The picture area shows the turned photo, cropped to its shape; the frame is la cara's.
    const QRect area = drawing::CardPainter::largeArtArea().toRect();
    const QImage turned = photo.transformed(QTransform().rotate(90));
    const QImage expected = turned.scaled(area.size(), Qt::KeepAspectRatioByExpanding);
    const QPoint offset((expected.width() - area.width()) / 2,
                        (expected.height() - area.height()) / 2);
    for (const QPoint at : {QPoint(20, 20), QPoint(300, 20), QPoint(20, 280), QPoint(300, 280)}) {
        const QColor got = large.pixelColor(area.topLeft() + at);
        const QColor want = expected.pixelColor(offset + at);
        QVERIFY2(std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                         std::abs(got.blue() - want.blue()) <
                     24,
                 qPrintable(got.name() + QLatin1Char(' ') + want.name()));
    }
    QCOMPARE(large.pixelColor(10, 288), QColor(0xF0, 0x8A, 0x24));
    QProcess check;
    check.setWorkingDirectory(set);
    check.start(QStringLiteral(MIRABOSC_CHECK_PROGRAM), {QStringLiteral(".")});
    QVERIFY(check.waitForFinished(60000));
    QCOMPARE(check.exitCode(), 0);
    // Undo puts both pictures back.
    QCOMPARE(record({QStringLiteral("--folder"), set, QStringLiteral("--undo"),
                     QStringLiteral("img_familles/v12.bmp")})
                 .exitCode,
             0);
    for (const char* name : {"/img_familles/12.bmp", "/img_familles/v12.bmp"})
        QCOMPARE(safewrite::read(set + QLatin1String(name)),
                 safewrite::read(TestAssets::defaultAssetDir() + QLatin1String(name)));
}

void TestVoices::changedWordIsOnItsCardAndOnlySyntheticVoicesSpeakIt() {
    QTemporaryDir work;
    const QString set = work.filePath(QStringLiteral("set"));
    const auto run = [&set](QStringList arguments) {
        return record(QStringList{QStringLiteral("--folder"), set} + arguments);
    };
    QCOMPARE(run({QStringLiteral("--import"), takes_.filePath(QStringLiteral("take.wav")),
                  QStringLiteral("--to"), QStringLiteral("sons_familles/11.mp3")})
                 .exitCode,
             0);
    const QByteArray recorded = safewrite::read(set + QStringLiteral("/sons_familles/11.mp3"));
    // Two words changed at once by two writers: both changes stay.
    QProcess one, other;
    one.start(QStringLiteral(MIRABOSC_RECORD_PROGRAM),
              {QStringLiteral("--folder"), set, QStringLiteral("--word"), QStringLiteral("12"),
               QStringLiteral("la gaunha")});
    other.start(QStringLiteral(MIRABOSC_RECORD_PROGRAM),
                {QStringLiteral("--folder"), set, QStringLiteral("--word"), QStringLiteral("11"),
                 QStringLiteral("lo morre")});
    QVERIFY(one.waitForFinished(60000) && other.waitForFinished(60000));
    QCOMPARE(one.exitCode() + other.exitCode(), 0);
    QCOMPARE(run({QStringLiteral("--word"), QStringLiteral("57"), QStringLiteral("x")}).exitCode,
             1);
    // The word as a reader sees it on the large card.
    const QString word = work.filePath(QStringLiteral("word.png"));
    QImage(set + QStringLiteral("/img_familles/12.bmp")).copy(QRect(30, 396, 364, 82)).save(word);
    QProcess ocr;
    ocr.start(QStringLiteral("tesseract"),
              {word, QStringLiteral("-"), QStringLiteral("--psm"), QStringLiteral("7")});
    QVERIFY(ocr.waitForFinished(60000));
    QVERIFY2(ocr.readAllStandardOutput().contains("gaunha"), "tesseract reads the new word");
    // The synthetic voice says the new word; the recorded one is kept and says the old one.
    QVERIFY(
        safewrite::read(set + QStringLiteral("/sons_familles/12.mp3")) !=
        safewrite::read(TestAssets::defaultAssetDir() + QStringLiteral("/sons_familles/12.mp3")));
    QCOMPARE(safewrite::read(set + QStringLiteral("/sons_familles/11.mp3")), recorded);
    const QString list = run({QStringLiteral("--list")}).out;
    QVERIFY2(list.contains(
                 QStringLiteral("sons_familles/11.mp3\tlo morre\tvotz vòstra (ditz « lo nas »)")),
             qPrintable(list));
    QVERIFY(list.contains(QStringLiteral("sons_familles/12.mp3\tla gaunha\t")));
    QVERIFY(list.contains(QStringLiteral("son_frasas/9.mp3\tJoana\tvotz sintetica\n")));
    // Undoing the voice of a changed word undoes the whole change: its word, pictures and voice.
    const auto files = [&set] {
        QByteArray bytes;
        for (const char* name : {"/img_familles/13.bmp", "/img_familles/v13.bmp",
                                 "/sons_familles/13.mp3", "/textes/familles.txt"})
            bytes += safewrite::read(set + QLatin1String(name));
        return bytes;
    };
    const QByteArray before = files();
    // What a killed change and a killed import left goes at the next start.
    const QString killed = set + QStringLiteral("/textes/.familles.txt.tmp-k1ll3d");
    const QString staging = work.filePath(QStringLiteral(".set.import-k1ll3d"));
    safewrite::write(killed, "half a text");
    QVERIFY(QDir().mkpath(staging));
    QCOMPARE(
        run({QStringLiteral("--word"), QStringLiteral("13"), QStringLiteral("la pèl")}).exitCode,
        0);
    QVERIFY(!QFileInfo::exists(killed) && !QFileInfo::exists(staging));
    QVERIFY(files() != before);
    const Run undone = run({QStringLiteral("--undo"), QStringLiteral("sons_familles/13.mp3")});
    QVERIFY2(undone.out.contains(QStringLiteral("textes/familles.txt")), qPrintable(undone.out));
    QCOMPARE(files(), before);
    QCOMPARE(run({QStringLiteral("--list")}).out, list);
    // An older change comes back alone, its word with its files: a later word keeps its change,
    // and undoing that one later does not bring the older one back.
    QCOMPARE(run({"--word", "13", "la pèl"}).exitCode, 0);
    QCOMPARE(run({"--word", "14", "lo pè"}).exitCode, 0);
    QVERIFY(run({"--undo", "sons_familles/13.mp3"}).out.contains("textes/familles.txt"));
    const QString older = run({"--list"}).out;
    QVERIFY(older.contains(QStringLiteral("sons_familles/14.mp3\tlo pè\t")));
    QCOMPARE(older.section(QStringLiteral("sons_familles/13.mp3"), 1, 1).section('\n', 0, 0),
             list.section(QStringLiteral("sons_familles/13.mp3"), 1, 1).section('\n', 0, 0));
    QCOMPARE(run({"--undo", "sons_familles/14.mp3"}).exitCode, 0);
    QCOMPARE(files(), before);
    QCOMPARE(run({QStringLiteral("--list")}).out, list);
    // A phrase of the game changes as a word does, and its change comes back whole.
    const auto voice = [&set](int phrase) {
        return safewrite::read(set + QStringLiteral("/son_frasas/%1.mp3").arg(phrase));
    };
    QCOMPARE(run({QStringLiteral("--import"), takes_.filePath(QStringLiteral("take.wav")),
                  QStringLiteral("--to"), QStringLiteral("son_frasas/9.mp3")})
                 .exitCode,
             0);
    const QByteArray name = voice(9);
    QCOMPARE(
        run({QStringLiteral("--phrase"), QStringLiteral("9"), QStringLiteral("Joaneta")}).exitCode,
        0);
    const auto phrase = [&set, &voice] {
        return voice(3) + safewrite::read(set + QStringLiteral("/textes/frasas.txt"));
    };
    const QByteArray unchanged = phrase();
    QCOMPARE(
        run({QStringLiteral("--phrase"), QStringLiteral("3"), QStringLiteral("Òc, te !")}).exitCode,
        0);
    const QString phrases = run({QStringLiteral("--list")}).out;
    QVERIFY2(phrases.contains(QStringLiteral("son_frasas/3.mp3\tÒc, te !\tvotz sintetica\n")) &&
                 phrases.contains(
                     QStringLiteral("son_frasas/9.mp3\tJoaneta\tvotz vòstra (ditz « Joana »)\n")),
             qPrintable(phrases));
    QVERIFY(voice(3) !=
            safewrite::read(TestAssets::defaultAssetDir() + QStringLiteral("/son_frasas/3.mp3")));
    QCOMPARE(voice(9), name);
    QCOMPARE(run({QStringLiteral("--undo"), QStringLiteral("son_frasas/3.mp3")}).exitCode, 0);
    QCOMPARE(phrase(), unchanged);
}

void TestVoices::speechIsFoundWholeInEveryKindOfTake_data() {
    QTest::addColumn<int>("row");
    corpus_ = speechcorpus::recipes();
    for (size_t row = 0; row < corpus_.size(); ++row)
        QTest::addRow("%zu %s", row, qPrintable(corpus_[row].text)) << int(row);
}

void TestVoices::speechIsFoundWholeInEveryKindOfTake() {
    QFETCH(int, row);
    const speechcorpus::Take made = speechcorpus::make(takes_.path(), corpus_[size_t(row)]);
    Take take{speechcorpus::rate, 1, made.samples};
    takeprocessor::removeOffset(take);
    const speechfinder::Bounds found = speechfinder::find(take);
    const double first = double(found.first) / take.rate, end = double(found.end) / take.rate;
    // From at most 15 ms before the speech to at most 30 ms after it, never inside it.
    QVERIFY2(first <= made.start && first >= made.start - 0.015 && end >= made.end &&
                 end <= made.end + 0.03,
             qPrintable(QStringLiteral("%1-%2 s of %3-%4 s")
                            .arg(first)
                            .arg(end)
                            .arg(made.start)
                            .arg(made.end)));
    // The margins are whole even where the take had none; the loudness is the set's.
    const Take voice = takeprocessor::prepare({speechcorpus::rate, 1, made.samples});
    QVERIFY(std::abs(voice.seconds() - (end - first + leadMargin + tailMargin)) < 0.002);
    if (made.end - made.start >= measurableSeconds)
        QVERIFY(std::abs(takeprocessor::loudness(voice) - takeprocessor::targetLoudnessLufs) <= 1);
}

void TestVoices::everyDefaultWordAndPageIsVoicedAgain_data() {
    QTest::addColumn<QString>("voice");
    QTest::addColumn<QString>("text");
    for (const QString& voice : SetFolder::voiceNames())
        QTest::newRow(qPrintable(voice)) << voice << VoiceTexts::defaultSet().textOf(voice);
    // Words once refused, given through the command itself as a page is.
    for (const char* word : {"la nèu", "lo sorelh", "la maire", "l'aucèl", ""})
        QTest::addRow("--word %s", word) << QString() << QString::fromUtf8(word);
}

void TestVoices::everyDefaultWordAndPageIsVoicedAgain() {
    QFETCH(QString, voice);
    QFETCH(QString, text);
    static const speech::Respeller respeller =
        speech::Respeller::parse(content::ContentReader::readTextFile(
                                     QStringLiteral(MIRABOSC_DATA_DIR "/prononciation.txt")),
                                 QStringLiteral("prononciation.txt"));
    if (!voice.isEmpty()) { // what --word and --page do to a voice that is still synthetic
        QVERIFY(!voicemaker::makeVoice(speechsynth::speak(text, respeller)).isEmpty());
        return;
    }
    QTemporaryDir set;
    const bool page = text.isEmpty();
    const Run run =
        record({QStringLiteral("--folder"), set.path(),
                page ? QStringLiteral("--page") : QStringLiteral("--word"), QStringLiteral("2"),
                page ? VoiceTexts::defaultSet().pageText(2) : text});
    QVERIFY2(run.exitCode == 0 && run.out.contains(QStringLiteral(" : votz sintetica de nòu")),
             qPrintable(run.err));
}

void TestVoices::playFamilySoundsItsEightVoicesInOrder() {
    QProcess player;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
    environment.insert(QStringLiteral("SDL_DISKAUDIOFILE"),
                       takes_.filePath(QStringLiteral("heard")));
    environment.insert(QStringLiteral("SDL_DISKAUDIODELAY"), QStringLiteral("2"));
    player.setProcessEnvironment(environment);
    player.start(QStringLiteral(MIRABOSC_RECORD_PROGRAM),
                 {QStringLiteral("--folder"), folder_.path(), QStringLiteral("--play-family=2")});
    QVERIFY(player.waitForFinished(60000) && player.exitCode() == 0);
    QStringList expected;
    double seconds = 0;
    for (int card = 9; card <= 16; ++card) {
        const QString name = QStringLiteral("sons_familles/%1.mp3").arg(card);
        // Each voice named with the words it says.
        expected << name + u'\t' + VoiceTexts::defaultSet().textOf(name);
        const auto voice = mp3fixture::decode(folder_.filePath(name));
        seconds += double(voice.frames()) / voice.rate;
    }
    QCOMPARE(QString::fromUtf8(player.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
             expected);
    // The output (44.1 kHz stereo floats) sounded them all, one after the other.
    const QByteArray heard = safewrite::read(takes_.filePath(QStringLiteral("heard")));
    const auto* samples = reinterpret_cast<const float*>(heard.constData());
    std::vector<qsizetype> sounding;
    for (qsizetype i = 0; i < heard.size() / qsizetype(sizeof(float)); ++i)
        if (std::abs(samples[i]) > 1e-3f)
            sounding.push_back(i);
    QVERIFY(!sounding.empty() &&
            double(sounding.back() - sounding.front()) / 88200 > 0.9 * seconds);
}

void TestVoices::classSetRoundTripKeepsEveryFileAndMark() {
    QTemporaryDir work;
    const QString teacher = work.filePath(QStringLiteral("teacher/mirabosc"));
    const QString other = work.filePath(QStringLiteral("other/mirabosc"));
    const QString shared = work.filePath(QStringLiteral("class/mirabosc"));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(work.filePath(QStringLiteral("class"))));
    const auto as = [](const QString& set, const QStringList& arguments) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(QFileInfo(set).path()));
        return record(arguments);
    };
    // Drawings on a card, a miniature and a page; a word and a page text; voices imported,
    // re-voiced and recorded (this one equal to the default voice: still the class's).
    for (const char* target : {"img_familles/12.bmp", "img_familles/mini10.bmp", "img_album/4.bmp"})
        QCOMPARE(as(teacher, {"--picture", takes_.filePath(QStringLiteral("cover.png")), "--to",
                              QLatin1String(target)})
                     .exitCode,
                 0);
    QCOMPARE(as(teacher, {"--word", "13", "la sèrp"}).exitCode, 0);
    // The page as the game's album names it on its tab.
    QVERIFY(as(teacher, {"--page", "5", "Un tèxte de la classa"}).out.contains("« p. 4 »"));
    QCOMPARE(as(teacher, {"--import", word_.wav, "--to", "sons_familles/20.mp3"}).exitCode, 0);
    const QString recorded = QStringLiteral("sons_familles/22.mp3");
    SetFolder(teacher, TestAssets::defaultAssetDir())
        .write(recorded, safewrite::read(TestAssets::defaultAssetDir() + '/' + recorded));
    const QString archive = work.filePath(QStringLiteral("classa.mirabosc"));
    QCOMPARE(as(teacher, {"--export", archive}).exitCode, 0);
    QCOMPARE(as(other, {"--import-set", archive}).exitCode, 0);
    // An import stopped midway left its folder; the next one clears it.
    QVERIFY(QDir().mkpath(work.filePath(QStringLiteral("class/.mirabosc.import-k1ll3d/textes"))));
    QCOMPARE(as(teacher, {"--import-set", archive, "--system"}).exitCode, 0);
    QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("class/.mirabosc.import-k1ll3d"))));
    // The teacher's workshop opens again, now based on the class set.
    SetFolder(teacher, shared).fillFromDefaultSet();
    const FileOrigins marks = FileOrigins::load(teacher);
    using Origin = FileOrigins::Origin;
    const std::pair<const char*, Origin> expected[] = {
        {"sons_familles/22.mp3", Origin::Recorded}, {"sons_familles/20.mp3", Origin::Imported},
        {"sons_familles/13.mp3", Origin::Revoiced}, {"son_album/5.mp3", Origin::Revoiced},
        {"img_familles/mini10.bmp", Origin::Drawn}, {"img_album/4.bmp", Origin::Drawn}};
    for (const auto& [name, origin] : expected)
        QCOMPARE(marks.of(QLatin1String(name)), origin);
    for (const QString& set : {other, shared}) {
        QCOMPARE(FileOrigins::load(set).marks(), marks.marks());
        QCOMPARE(textsRead(set), textsRead(teacher));
        QCOMPARE(setFiles(set + QStringLiteral("/dessenhs")),
                 setFiles(teacher + QStringLiteral("/dessenhs")));
        for (const QString& name : catalogue::pictureNames() + SetFolder::voiceNames())
            QVERIFY2(safewrite::read(set + '/' + name) == safewrite::read(teacher + '/' + name),
                     qPrintable(set + '/' + name));
    }
    for (auto mark = marks.marks().begin(); mark != marks.marks().end(); ++mark)
        QVERIFY(!QFileInfo(teacher + '/' + mark.key()).isSymLink());
    // Voices spoken again from a changed word are not the class's recordings.
    QCOMPARE(as(teacher, {"--list"}).out.count(QStringLiteral("votz vòstra")), 2);
    // A new account on this computer changes a word: the class's words stay around it.
    const QString third = work.filePath(QStringLiteral("third/mirabosc"));
    QCOMPARE(as(third, {"--word", "14", "lo rat"}).exitCode, 0);
    // Her set holds her word only; the class's are read from the class set.
    QVERIFY(textsRead(third)[catalogue::familiesText].contains("la sèrp"));
    QVERIFY(!safewrite::read(third + QStringLiteral("/textes/familles.txt")).contains("la sèrp"));
    // An import over the class set waits while a game plays it, or plays a set linked into it.
    QProcess game;
    game.setWorkingDirectory(third);
    game.start(QStringLiteral(MIRABOSC_MIRABOSC_PROGRAM));
    QTRY_VERIFY_WITH_TIMEOUT(gamelock::isHeld(shared), 60000);
    game.terminate();
    QVERIFY(game.waitForFinished());
    game.setWorkingDirectory(shared);
    game.start(QStringLiteral(MIRABOSC_MIRABOSC_PROGRAM));
    QTRY_VERIFY_WITH_TIMEOUT(gamelock::isHeld(shared), 60000);
    QProcess import;
    import.start(QStringLiteral(MIRABOSC_RECORD_PROGRAM),
                 {QStringLiteral("--import-set"), archive, QStringLiteral("--system")});
    QByteArray said;
    QTRY_VERIFY2_WITH_TIMEOUT((said += import.readAllStandardError()).contains("dobèrt"),
                              said.constData(), 60000);
    QCOMPARE(setimport::previousSets(shared).size(), 0);
    game.terminate();
    QVERIFY(game.waitForFinished() && import.waitForFinished(60000));
    QCOMPARE(import.exitCode(), 0);
    QCOMPARE(setimport::previousSets(shared).size(), 1);
    QCOMPARE(as(teacher, {"--undo-import", "--system"}).exitCode, 0);
    QCOMPARE(setimport::previousSets(shared).size(), 0);
    QCOMPARE(setimport::laterSets(shared).size(), 1);
    QCOMPARE(FileOrigins::load(shared).marks(), marks.marks());
    // The checker reads the drawings too.
    safewrite::write(other + QStringLiteral("/dessenhs/sons_familles-10.fill.png"),
                     pngHeader(5790, 5790));
    QProcess check;
    check.start(QStringLiteral(MIRABOSC_CHECK_PROGRAM), {other});
    QVERIFY(check.waitForFinished(60000));
    QVERIFY(check.exitCode() == 1 && check.readAllStandardOutput().contains("dessenhs"));
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
}

QTEST_GUILESS_MAIN(TestVoices)
#include "tst_voices.moc"
