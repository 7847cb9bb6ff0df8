// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the narration player puts into SDL's output, recorded by SDL's disk driver: the decoded
// samples unchanged, converted words with their shape, and nothing of a word after its close.
#include "assets/Catalogue.h"
#include "audio/AudioOutput.h"
#include "audio/MediaPlayerMP3.h"
#include "audio/SentencePlayer.h"
#include "audio/SentenceSource.h"
#include "base/Errors.h"
#include "support/Mp3Fixture.h"
#include "support/PlayerProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <csignal>
#include <sys/resource.h>

namespace {

using mp3fixture::Decoded;

constexpr double wordSeconds = 0.5;
constexpr double longSeconds = 10.0;
constexpr int playTimeoutMs = 60000;
constexpr int channels = AudioOutput::channels;
constexpr int frameBytes = channels * int(sizeof(float));
// Below this a sample counts as silence when finding where a converted word starts and ends.
constexpr float soundThreshold = 1e-3f;
constexpr int envelopeWindowsPerSecond = 50;
// The largest difference of 20 ms loudness windows between a converted word and its source; a
// lost or swapped channel differs by 0.1 or more.
constexpr double envelopeTolerance = 0.02;
constexpr int64_t edgeToleranceFrames = AudioOutput::rate / 1000;

struct Output {
    std::vector<float> samples; // interleaved at the output format
    int64_t frames() const { return int64_t(samples.size()) / channels; }
    float at(int64_t frame, int channel) const {
        return samples[size_t(frame * channels + channel)];
    }
    bool silentFrom(int64_t frame) const {
        return std::all_of(samples.begin() + frame * channels, samples.end(),
                           [](float s) { return s == 0.0f; });
    }
};

// The source sample that the output should carry on channel c (a mono word is on both).
float sourceSample(const Decoded& word, int64_t frame, int channel) {
    return word.samples[size_t(frame * word.channels + std::min(channel, word.channels - 1))];
}

template <typename Sample>
int64_t firstSound(int64_t from, int64_t frames, int width, Sample sample, float threshold) {
    for (int64_t f = from; f < frames; ++f)
        for (int c = 0; c < width; ++c)
            if (std::abs(sample(f, c)) > threshold)
                return f;
    return -1;
}

template <typename Sample> int64_t lastSound(int64_t frames, int width, Sample sample) {
    for (int64_t f = frames - 1; f >= 0; --f)
        for (int c = 0; c < width; ++c)
            if (std::abs(sample(f, c)) > soundThreshold)
                return f;
    return -1;
}

template <typename Sample>
std::vector<double> envelope(int64_t from, int64_t frames, int rate, int channel, Sample sample) {
    const int window = rate / envelopeWindowsPerSecond;
    std::vector<double> rms;
    for (int64_t start = from; start + window <= frames; start += window) {
        double sum = 0.0;
        for (int64_t f = start; f < start + window; ++f)
            sum += double(sample(f, channel)) * sample(f, channel);
        rms.push_back(std::sqrt(sum / window));
    }
    return rms;
}

// A part of a sentence made on the spot, named "frames-value": that many frames of that value.
class ConstantPart : public PcmSource {
public:
    explicit ConstantPart(const QString& path) {
        const QString name = QFileInfo(path).fileName();
        if (!name.contains(u'-'))
            throw EMCIDeviceError(QStringLiteral("Fichier absent"));
        frames_ = name.section(u'-', 0, 0).toInt();
        value_ = name.section(u'-', 1).toFloat();
    }
    int read(float* out, int frames) override {
        const int n = std::min(frames, frames_ - read_);
        std::fill_n(out, n * channels, value_);
        read_ += n;
        return n;
    }
    int readDecoded(float*, int) override { return 0; }
    bool finished() const override { return read_ == frames_; }
    bool rewind() override { return (read_ = 0) == 0; }
    long sourceRate() const override { return AudioOutput::rate; }
    int sourceChannels() const override { return channels; }

private:
    int frames_ = 0;
    float value_ = 0;
    int read_ = 0;
};

// The gain of a part's frame k of n: rising over its first fade, falling over its last.
float fade(int64_t k, int64_t n) {
    const auto gain = [](int64_t j) {
        return float(j + 1) / float(SentenceSource::fadeFrames + 1);
    };
    float g = 1.0f;
    if (k < SentenceSource::fadeFrames)
        g *= gain(k);
    if (n - 1 - k < SentenceSource::fadeFrames)
        g *= gain(n - 1 - k);
    return g;
}

} // namespace

class TestMediaPlayerOutput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void wordsAtTheOutputRateArriveUnchanged_data();
    void wordsAtTheOutputRateArriveUnchanged();
    void convertedWordsKeepTheirShape_data();
    void convertedWordsKeepTheirShape();
    void closeMidWordCutsItAndReopenStartsAgain();
    void aLostOutputIsOpenedAgainForTheNextWord();
    void sentencePartsJoinWithExactPauses_data();
    void sentencePartsJoinWithExactPauses();
    void sentenceOfVoicesSkipsWhatDoesNotPlay();
    void closeStopsTheWholeSentence();

private:
    void waitForMoreOutput();
    void arrivesUnchanged(const QString& name);
    Output output(int64_t fromFrame = 0) const;
    int64_t outputFrames() const { return QFileInfo(outputPath_).size() / frameBytes; }
    void playToTheEnd(MediaPlayerMP3& player);

    QTemporaryDir dir_;
    QString outputPath_;
    QString previous_;
};

void TestMediaPlayerOutput::initTestCase() {
    QVERIFY(dir_.isValid());
    outputPath_ = dir_.filePath(QStringLiteral("sortie.raw"));
    // The device is opened at the first play and kept, so this holds for the whole run. With no
    // delay SDL writes silence as fast as the disk takes it; 11 ms per 11.6 ms buffer keeps the
    // file small and plays at the pace of a sound card, so the 46 ms head decoded at the open
    // lasts as long as it will for a child, and the filler must keep up as it must there. (Ten
    // times faster, it would last less than a busy machine here may take to give a thread its
    // turn.)
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(outputPath_));
    qputenv("SDL_DISKAUDIODELAY", "11");
    previous_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
    QVERIFY(QDir().mkpath(QStringLiteral("son_album")));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("son_album/1.mp3"), 44100, 1, wordSeconds));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("son_album/2.mp3"), 44100, 2, wordSeconds));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("son_album/3.mp3"), 22050, 1, wordSeconds));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("son_album/4.mp3"), 48000, 2, wordSeconds));
    QVERIFY(mp3fixture::makeWord(QStringLiteral("son_album/5.mp3"), 44100, 2, longSeconds));
}

void TestMediaPlayerOutput::cleanupTestCase() {
    QDir::setCurrent(previous_);
}

Output TestMediaPlayerOutput::output(int64_t fromFrame) const {
    QFile file(outputPath_);
    Output out;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(fromFrame * frameBytes))
        return out;
    const QByteArray bytes = file.readAll();
    out.samples.resize(size_t(bytes.size() / frameBytes) * channels);
    std::memcpy(out.samples.data(), bytes.constData(), out.samples.size() * sizeof(float));
    return out;
}

// Plays the open word to its end and waits until the device has written its last buffer.
void TestMediaPlayerOutput::playToTheEnd(MediaPlayerMP3& player) {
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), playTimeoutMs);
    const int64_t written = outputFrames();
    QTRY_VERIFY(outputFrames() > written + 2 * AudioOutput::bufferFrames);
}

void TestMediaPlayerOutput::wordsAtTheOutputRateArriveUnchanged_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("mono") << QStringLiteral("son_album\\1.mp3");
    QTest::newRow("stereo") << QStringLiteral("son_album\\2.mp3");
}

void TestMediaPlayerOutput::wordsAtTheOutputRateArriveUnchanged() {
    QFETCH(QString, name);
    arrivesUnchanged(name);
}

// Plays the word to its end and finds it in the output sample for sample, followed by silence.
void TestMediaPlayerOutput::arrivesUnchanged(const QString& name) {
    const Decoded word = mp3fixture::decode(catalogue::resolve(name));
    QCOMPARE(word.rate, AudioOutput::rate);
    const int64_t before = outputFrames();
    MediaPlayerMP3 player;
    player.setFileName(name);
    player.open();
    playToTheEnd(player);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(PlayerProbe::framesDelivered(player), word.frames());

    const Output out = output(before);
    auto source = [&](int64_t f, int c) { return sourceSample(word, f, c); };
    auto played = [&](int64_t f, int c) { return out.at(f, c); };
    const int64_t sourceStart = firstSound(0, word.frames(), channels, source, 0.0f);
    const int64_t playedStart = firstSound(0, out.frames(), channels, played, 0.0f);
    QVERIFY(sourceStart >= 0 && playedStart >= sourceStart);
    const int64_t start = playedStart - sourceStart;
    QVERIFY(start + word.frames() <= out.frames());
    for (int64_t f = 0; f < word.frames(); ++f)
        for (int c = 0; c < channels; ++c)
            if (out.at(start + f, c) != source(f, c))
                QFAIL(qPrintable(QStringLiteral("frame %1 channel %2 differs").arg(f).arg(c)));
    QVERIFY(out.silentFrom(start + word.frames()));
}

void TestMediaPlayerOutput::convertedWordsKeepTheirShape_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("22.05 kHz mono") << QStringLiteral("son_album\\3.mp3");
    QTest::newRow("48 kHz stereo") << QStringLiteral("son_album\\4.mp3");
}

void TestMediaPlayerOutput::convertedWordsKeepTheirShape() {
    QFETCH(QString, name);
    const Decoded word = mp3fixture::decode(catalogue::resolve(name));
    const int64_t before = outputFrames();
    MediaPlayerMP3 player;
    player.setFileName(name);
    player.open();
    playToTheEnd(player);
    if (QTest::currentTestFailed())
        return;

    const Output out = output(before);
    auto source = [&](int64_t f, int c) { return sourceSample(word, f, c); };
    auto played = [&](int64_t f, int c) { return out.at(f, c); };
    const int64_t sourceStart = firstSound(0, word.frames(), word.channels, source, soundThreshold);
    const int64_t playedStart = firstSound(0, out.frames(), channels, played, soundThreshold);
    QVERIFY(sourceStart >= 0 && playedStart >= 0);
    const auto toOutput = [&](int64_t frames) { return frames * AudioOutput::rate / word.rate; };
    const int64_t sourceSpan = lastSound(word.frames(), word.channels, source) - sourceStart;
    const int64_t playedSpan = lastSound(out.frames(), channels, played) - playedStart;
    QVERIFY2(std::abs(playedSpan - toOutput(sourceSpan)) <= edgeToleranceFrames,
             qPrintable(QStringLiteral("%1 frames of sound, %2 expected")
                            .arg(playedSpan)
                            .arg(toOutput(sourceSpan))));

    for (int c = 0; c < channels; ++c) {
        const auto expected = envelope(sourceStart, word.frames(), int(word.rate),
                                       std::min(c, word.channels - 1), source);
        const auto heard = envelope(playedStart, out.frames(), AudioOutput::rate, c, played);
        QVERIFY(heard.size() >= expected.size());
        for (size_t k = 0; k < expected.size(); ++k)
            QVERIFY2(std::abs(heard[k] - expected[k]) <= envelopeTolerance,
                     qPrintable(QStringLiteral("channel %1, window %2: %3 heard, %4 expected")
                                    .arg(c)
                                    .arg(k)
                                    .arg(heard[k])
                                    .arg(expected[k])));
    }
}

void TestMediaPlayerOutput::closeMidWordCutsItAndReopenStartsAgain() {
    const QString name = QStringLiteral("son_album\\5.mp3");
    const Decoded word = mp3fixture::decode(catalogue::resolve(name));
    const int64_t before = outputFrames();
    MediaPlayerMP3 player;
    player.setFileName(name);
    player.open();
    player.play();
    QTRY_VERIFY(PlayerProbe::framesDelivered(player) > 0);
    const int64_t heardBeforeClose = PlayerProbe::framesDelivered(player);
    player.close();
    player.open();
    playToTheEnd(player);
    if (QTest::currentTestFailed())
        return;

    // The output holds the start of the word, silence, then the whole word once.
    const Output out = output(before);
    auto source = [&](int64_t f, int c) { return sourceSample(word, f, c); };
    auto played = [&](int64_t f, int c) { return out.at(f, c); };
    const int64_t sourceStart = firstSound(0, word.frames(), channels, source, 0.0f);
    const int64_t firstStart = firstSound(0, out.frames(), channels, played, 0.0f) - sourceStart;
    QVERIFY(firstStart >= 0);
    int64_t cut = 0;
    while (cut < word.frames() && firstStart + cut < out.frames() &&
           played(firstStart + cut, 0) == source(cut, 0) &&
           played(firstStart + cut, 1) == source(cut, 1))
        ++cut;
    QVERIFY(cut >= heardBeforeClose);
    QVERIFY2(cut < word.frames() / 2, "the close came too late to cut the word");

    const int64_t secondSound = firstSound(firstStart + cut, out.frames(), channels, played, 0.0f);
    // Between the cut and the replay, only silence (none when the replay came within one
    // buffer): the closed word sent nothing more.
    const int64_t secondStart = secondSound - sourceStart;
    QVERIFY(secondSound >= 0 && secondStart >= firstStart + cut);
    for (int64_t f = 0; f < word.frames(); ++f)
        for (int c = 0; c < channels; ++c)
            if (played(secondStart + f, c) != source(f, c))
                QFAIL(
                    qPrintable(QStringLiteral("replay frame %1 channel %2 differs").arg(f).arg(c)));
    QVERIFY(out.silentFrom(secondStart + word.frames()));
}

void TestMediaPlayerOutput::aLostOutputIsOpenedAgainForTheNextWord() {
    MediaPlayerMP3 cut;
    cut.setFileName(QStringLiteral("son_album\\5.mp3"));
    cut.open();
    cut.play();
    QTRY_VERIFY(PlayerProbe::framesDelivered(cut) > 0);
    // A file size limit fails the disk driver's next write and SDL reports its device lost, as
    // when a sound server goes away in the middle of a word.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &previous) == 0);
    rlimit limit = previous;
    limit.rlim_cur = 1;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
    QTRY_COMPARE(PlayerProbe::endOfPlayNotices(cut), 1);
    QVERIFY(!cut.isPlaying());
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &previous) == 0);

    // The next word reaches a new device whole, once, and without the rest of the cut one.
    outputPath_ = dir_.filePath(QStringLiteral("sortie-2.raw"));
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(outputPath_));
    arrivesUnchanged(QStringLiteral("son_album\\2.mp3"));
}

void TestMediaPlayerOutput::waitForMoreOutput() {
    const int64_t written = outputFrames();
    QTRY_VERIFY(outputFrames() > written + 2 * AudioOutput::bufferFrames);
}

void TestMediaPlayerOutput::sentencePartsJoinWithExactPauses_data() {
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<QList<int>>("played"); // frames of each part that plays
    QTest::newRow("three parts, 80 ms apart")
        << QStringList{"4410-0.5", "8820-0.25", "2205-0.5"} << 80 << QList<int>{4410, 8820, 2205};
    QTest::newRow("parts that do not open are skipped")
        << QStringList{"absent", "4410-0.5", "absent", "2205-0.25", "absent"} << 80
        << QList<int>{4410, 2205};
    QTest::newRow("no pause asked")
        << QStringList{"3000-0.5", "3000-0.25"} << 0 << QList<int>{3000, 3000};
    QTest::newRow("a part shorter than its fades")
        << QStringList{"100-0.5", "4410-0.5"} << 120 << QList<int>{100, 4410};
}

// Each part arrives whole and faded at its edges, the pause between two exactly silent.
void TestMediaPlayerOutput::sentencePartsJoinWithExactPauses() {
    QFETCH(QStringList, parts);
    QFETCH(int, pauseMs);
    QFETCH(QList<int>, played);
    const int64_t before = outputFrames();
    SentencePlayer player([](const QString& path) { return std::make_unique<ConstantPart>(path); });
    int ends = 0;
    player.setOnFinished([&ends] { ++ends; });
    player.play(parts, std::chrono::milliseconds(pauseMs));
    QTRY_COMPARE_WITH_TIMEOUT(ends, 1, playTimeoutMs);
    QCOMPARE(player.playedParts().size(), played.size());
    waitForMoreOutput();
    const Output out = output(before);
    const auto played0 = [&](int64_t f, int c) { return out.at(f, c); };
    int64_t at = firstSound(0, out.frames(), channels, played0, 0.0f);
    QVERIFY(at >= 0);
    for (int i = 0; i < played.size(); ++i) {
        if (i > 0)
            for (int64_t f = 0; f < int64_t(pauseMs) * AudioOutput::rate / 1000; ++f, ++at)
                QVERIFY2(out.at(at, 0) == 0.0f && out.at(at, 1) == 0.0f,
                         qPrintable(QStringLiteral("sound in the pause before part %1").arg(i)));
        const float value = player.playedParts()[i].section(u'-', 1).toFloat();
        for (int64_t k = 0; k < played[i]; ++k, ++at)
            for (int c = 0; c < channels; ++c)
                QVERIFY2(std::abs(out.at(at, c) - value * fade(k, played[i])) < 1e-6f,
                         qPrintable(QStringLiteral("part %1 frame %2").arg(i).arg(k)));
    }
    QVERIFY(out.silentFrom(at));
    QCOMPARE(ends, 1);
}

// Voices that do not open, missing or not MP3, are left out of the sentence, which still ends.
void TestMediaPlayerOutput::sentenceOfVoicesSkipsWhatDoesNotPlay() {
    QFile garbage(QStringLiteral("son_album/9.mp3"));
    QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(4096, 'x')) == 4096);
    garbage.close();
    const QStringList parts{"son_album\\1.mp3", "son_album\\8.mp3", "son_album\\9.mp3",
                            "son_album\\2.mp3"};
    SentencePlayer player;
    int ends = 0;
    player.setOnFinished([&ends] { ++ends; });
    player.play(parts);
    QCOMPARE(player.playedParts(), (QStringList{parts[0], parts[3]}));
    QTRY_COMPARE_WITH_TIMEOUT(ends, 1, playTimeoutMs);
    const int64_t pause = SentencePlayer::defaultPause.count() * AudioOutput::rate / 1000;
    QCOMPARE(PlayerProbe::framesDelivered(player),
             mp3fixture::decode(catalogue::resolve(parts[0])).frames() + pause +
                 mp3fixture::decode(catalogue::resolve(parts[3])).frames());
}

void TestMediaPlayerOutput::closeStopsTheWholeSentence() {
    const int64_t before = outputFrames();
    SentencePlayer player;
    int ends = 0;
    player.setOnFinished([&ends] { ++ends; });
    player.play({QStringLiteral("son_album\\5.mp3"), QStringLiteral("son_album\\1.mp3")});
    QTRY_VERIFY(PlayerProbe::framesDelivered(player) > 0);
    player.close();
    QVERIFY(!player.isPlaying());
    // What the device had taken before the close may still be written; nothing after it.
    const int64_t closedAt = outputFrames() + 2 * AudioOutput::bufferFrames;
    waitForMoreOutput();
    waitForMoreOutput();
    QVERIFY(output(before).frames() > closedAt - before);
    QVERIFY(output(before).silentFrom(closedAt - before));
    QCOMPARE(ends, 0);
}

QTEST_GUILESS_MAIN(TestMediaPlayerOutput)
#include "tst_mediaplayeroutput.moc"
