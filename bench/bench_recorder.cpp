// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder's processing of a 3 s take, from the end of recording to the voice written: clean,
// find speech, trim, level, MP3 encoding and the safe write (goal: under 100 ms); and a first use
// on an empty user folder, which links the installed set instead of copying it (goal: 200 ms).
#include "Percentiles.h"
#include "sets/SafeWrite.h"
#include "sets/SetFolder.h"
#include "support/Mp3Fixture.h"
#include "workshop/VoiceMaker.h"

#include <QTemporaryDir>
#include <chrono>
#include <random>

namespace {

constexpr int rate = 48000;
constexpr double wordSeconds = 1.8;
constexpr double noiseSeconds = 0.6; // before and after the word: 3 s in all
constexpr float noiseLevel = 0.003f;
constexpr int runs = 40;

// A word of three syllables in room noise, as the capture device hands it over (mono float).
Take threeSecondTake() {
    Take take{rate, 1, {}};
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, noiseLevel);
    const auto pad = size_t(rate * noiseSeconds);
    take.samples.assign(pad, 0.0f);
    for (int16_t sample : mp3fixture::synthesise(rate, 1, wordSeconds))
        take.samples.push_back(float(sample) / mp3fixture::pcmFullScale);
    take.samples.resize(take.samples.size() + pad, 0.0f);
    for (float& sample : take.samples)
        sample += noise(random);
    return take;
}

void stopToFileWritten(benchmark::State& state) {
    const Take take = threeSecondTake();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("6.mp3"));
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        safewrite::write(path, voicemaker::makeVoice(take));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    reportPercentiles(state, micros);
}

// The same without the write: what the processor itself costs, apart from the disk's fsync.
void stopToVoiceEncoded(benchmark::State& state) {
    const Take take = threeSecondTake();
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(voicemaker::makeVoice(take));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    reportPercentiles(state, micros);
}

void firstUseOnEmptyFolder(benchmark::State& state) {
    std::vector<double> micros;
    for (auto _ : state) {
        QTemporaryDir home;
        SetFolder folder(home.filePath(QStringLiteral("mirabosc")),
                         QStringLiteral(MIRABOSC_ASSET_DIR));
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(folder.fillFromDefaultSet());
        benchmark::DoNotOptimize(folder.ownCount());
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    reportPercentiles(state, micros);
}

} // namespace

BENCHMARK(firstUseOnEmptyFolder)->UseManualTime()->Iterations(runs)->Unit(benchmark::kMillisecond);
BENCHMARK(stopToVoiceEncoded)->UseManualTime()->Iterations(runs)->Unit(benchmark::kMillisecond);
BENCHMARK(stopToFileWritten)->UseManualTime()->Iterations(runs)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
