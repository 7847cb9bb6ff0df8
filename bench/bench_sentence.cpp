// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A sentence of five voices through SDL's disk driver at a sound card's pace: how soon its first
// samples reach the output after the request, and the silence heard between its parts against
// the pause asked for.
#include "Percentiles.h"
#include "audio/AudioOutput.h"
#include "audio/SentencePlayer.h"
#include "support/Mp3Fixture.h"
#include "support/PlayerProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int partCount = 5;
constexpr double partSeconds = 0.25;
constexpr int sentences = 12;
constexpr double toneHz = 330.0;
constexpr double toneLevel = 0.4;
constexpr double edgeSeconds = 0.005;
constexpr int lameTimeoutMs = 60000;
constexpr float soundThreshold = 1e-3f;
// Shorter quiet runs are a tone's zero crossings, not silences.
constexpr int64_t shortestGapFrames = AudioOutput::rate / 500;
constexpr auto timeout = std::chrono::seconds(10);
constexpr auto pollInterval = std::chrono::milliseconds(2);
constexpr double msPerSecond = 1000.0;
constexpr double usPerSecond = 1e6;
constexpr int frameBytes = AudioOutput::channels * int(sizeof(float));

QString outputPath;

// A voice with no pause inside it, so that every silence in the output is one between parts:
// a steady tone with short raised-cosine edges, encoded by lame with its gapless tag.
bool makePart(const QString& path) {
    const int rate = AudioOutput::rate;
    const auto frames = int(std::lround(rate * partSeconds));
    const double edge = edgeSeconds * rate;
    std::vector<int16_t> pcm(size_t(frames), 0);
    for (int i = 0; i < frames; ++i) {
        const double e = std::min({double(i), double(frames - 1 - i), edge}) / edge;
        const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * e);
        pcm[size_t(i)] = int16_t(std::lround(gain * toneLevel * mp3fixture::pcmFullScale *
                                             std::sin(2 * std::numbers::pi * toneHz * i / rate)));
    }
    QProcess lame;
    lame.start("lame", {"--quiet", "-V", "4", "-", path});
    if (!lame.waitForStarted())
        return false;
    lame.write(mp3fixture::wav(pcm, rate, 1));
    lame.closeWriteChannel();
    return lame.waitForFinished(lameTimeoutMs) && lame.exitCode() == 0;
}

int64_t outputFrames() {
    return QFileInfo(outputPath).size() / frameBytes;
}

std::vector<float> outputFrom(int64_t frame) {
    QFile file(outputPath);
    std::vector<float> samples;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(frame * frameBytes))
        return samples;
    const QByteArray bytes = file.readAll();
    samples.resize(size_t(bytes.size()) / sizeof(float));
    std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    return samples;
}

// The silences between runs of sound, in frames.
std::vector<int64_t> gapsBetweenSounds(const std::vector<float>& samples) {
    std::vector<int64_t> gaps;
    int64_t lastSound = -1;
    const auto frames = int64_t(samples.size()) / AudioOutput::channels;
    for (int64_t f = 0; f < frames; ++f) {
        const bool sound = std::abs(samples[size_t(f * 2)]) > soundThreshold ||
                           std::abs(samples[size_t(f * 2 + 1)]) > soundThreshold;
        if (!sound)
            continue;
        if (lastSound >= 0 && f - lastSound > shortestGapFrames)
            gaps.push_back(f - lastSound - 1);
        lastSound = f;
    }
    return gaps;
}

void fivePartSentence(benchmark::State& state) {
    QStringList parts;
    for (int i = 1; i <= partCount; ++i)
        parts << QStringLiteral("son_album\\%1.mp3").arg(i);
    SentencePlayer player;
    int ends = 0;
    player.setOnFinished([&ends] { ++ends; });
    std::vector<double> firstSampleUs;
    std::vector<double> playCallUs;
    std::vector<double> gapErrorMs;
    double longestGapMs = 0;
    double shortestGapMs = 1e9;
    const double pauseMs = double(SentencePlayer::defaultPause.count());
    for (auto _ : state) {
        const int64_t before = outputFrames();
        const int endsBefore = ends;
        const auto start = Clock::now();
        player.play(parts);
        playCallUs.push_back(std::chrono::duration<double>(Clock::now() - start).count() *
                             usPerSecond);
        std::optional<Clock::time_point> first;
        while (!(first = PlayerProbe::firstDeliveryTime(player)) && Clock::now() - start < timeout)
            std::this_thread::yield();
        while (ends == endsBefore && Clock::now() - start < timeout) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(pollInterval);
        }
        const int64_t heard = outputFrames();
        while (outputFrames() < heard + 4 * AudioOutput::bufferFrames &&
               Clock::now() - start < timeout)
            std::this_thread::sleep_for(pollInterval);
        if (!first || ends == endsBefore) {
            state.SkipWithError("the sentence did not play to its end");
            break;
        }
        const std::chrono::duration<double> latency = *first - start;
        state.SetIterationTime(latency.count());
        firstSampleUs.push_back(latency.count() * usPerSecond);
        const auto gaps = gapsBetweenSounds(outputFrom(before));
        if (gaps.size() != partCount - 1) {
            state.SkipWithError("the output does not hold five parts");
            break;
        }
        for (int64_t gap : gaps) {
            const double ms = double(gap) * msPerSecond / AudioOutput::rate;
            longestGapMs = std::max(longestGapMs, ms);
            shortestGapMs = std::min(shortestGapMs, ms);
            gapErrorMs.push_back(std::abs(ms - pauseMs));
        }
    }
    reportPercentiles(state, firstSampleUs, "first_sample_");
    reportPercentiles(state, playCallUs, "play_call_");
    state.counters["gap_min_ms"] = shortestGapMs;
    state.counters["gap_max_ms"] = longestGapMs;
    state.counters["gap_error_max_ms"] = percentile(gapErrorMs, 1.0);
}

} // namespace

BENCHMARK(fivePartSentence)->UseManualTime()->Iterations(sentences)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) ||
        !QDir().mkpath(QStringLiteral("son_album"))) {
        fprintf(stderr, "cannot make a folder for the sentence\n");
        return 1;
    }
    for (int i = 1; i <= partCount; ++i)
        if (!makePart(QStringLiteral("son_album/%1.mp3").arg(i))) {
            fprintf(stderr, "cannot make the sentence's parts (is lame installed?)\n");
            return 1;
        }
    // Real time: 11 ms a buffer of 11.6 ms, as a sound card takes them.
    outputPath = dir.filePath(QStringLiteral("sortie.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(outputPath));
    qputenv("SDL_DISKAUDIODELAY", "11");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
