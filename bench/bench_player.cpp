// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// How soon a narration starts: close + open + play of a 2 s word until its first samples are
// handed to the output, and what the three calls cost the user-interface thread, also when the
// file reads slowly; what a try to open the output costs while the sound server is away; with the
// median and 99th percentile over many starts.
#include "Percentiles.h"
#include "audio/MediaPlayerMP3.h"
#include "audio/NarrationSource.h"
#include "audio/SdlAudio.h"
#include "support/Mp3Fixture.h"
#include "support/PlayerProbe.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const QString word = QStringLiteral("sons_familles\\9.mp3");
constexpr double wordSeconds = 2.0;
constexpr int wordRate = 22050; // the rate of the spoken default words
constexpr int starts = 1000;
constexpr int slowStarts = 300;
constexpr auto deliveryTimeout = std::chrono::seconds(5);
constexpr double microsecondsPerSecond = 1e6;
// One period of the output's callback (512 frames at 44.1 kHz), in microseconds.
constexpr int outputPeriodMicros = 11610;

// A try to open the output while the sound server is away, as the output's watcher thread makes
// it: SDL's start, and its open when the start succeeds. With range(0) = 0 SDL tries PulseAudio
// only; with 1, every driver it has, as on a desktop where SDL_AUDIODRIVER is not set. Runs
// before any player starts SDL's audio.
void failedOpen(benchmark::State& state) {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
        state.SkipWithError("SDL's audio is already started");
        return;
    }
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    if (state.range(0) == 0)
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
    else
        qunsetenv("SDL_AUDIODRIVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/mirabosc/native");
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = Clock::now();
        SDL_AudioDeviceID device = 0;
        if (sdlaudio::start()) {
            device = sdlaudio::openFloat(false, 44100, 2, 512, nullptr, nullptr);
            sdlaudio::stop(device);
        }
        const std::chrono::duration<double> spent = Clock::now() - start;
        if (device != 0) {
            state.SkipWithError("an output opened without the sound server");
            break;
        }
        state.SetIterationTime(spent.count());
        micros.push_back(spent.count() * microsecondsPerSecond);
    }
    qunsetenv("PULSE_SERVER");
    qputenv("SDL_AUDIODRIVER", driver);
    reportPercentiles(state, micros);
}

// From the call to close to the first samples of the new word handed to SDL.
void startToFirstSamples(benchmark::State& state) {
    MediaPlayerMP3 player;
    player.setFileName(word);
    std::vector<double> micros;
    micros.reserve(starts);
    // A child's gesture comes at any moment of the output's cycle, not just after a callback.
    std::mt19937 random(1);
    std::uniform_int_distribution<int> phase(0, outputPeriodMicros);
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::microseconds(phase(random)));
        const auto start = Clock::now();
        player.close();
        player.open();
        player.play();
        std::optional<Clock::time_point> first;
        while (!(first = PlayerProbe::firstDeliveryTime(player)) &&
               Clock::now() - start < deliveryTimeout)
            std::this_thread::yield();
        if (!first) {
            state.SkipWithError("no sample reached the output");
            break;
        }
        const std::chrono::duration<double> latency = *first - start;
        state.SetIterationTime(latency.count());
        micros.push_back(latency.count() * microsecondsPerSecond);
    }
    reportPercentiles(state, micros);
}

// The user-interface thread's close + open + play, timed round after round; with a phase, each
// round starts at a random moment of the output's cycle, as a child's gesture does.
void timeCloseOpenPlay(benchmark::State& state, MediaPlayerMP3& player, bool randomPhase) {
    player.setFileName(word);
    std::vector<double> micros;
    micros.reserve(starts);
    std::mt19937 random(1);
    std::uniform_int_distribution<int> phase(0, outputPeriodMicros);
    for (auto _ : state) {
        if (randomPhase)
            std::this_thread::sleep_for(std::chrono::microseconds(phase(random)));
        const auto start = Clock::now();
        player.close();
        player.open();
        player.play();
        const std::chrono::duration<double> spent = Clock::now() - start;
        state.SetIterationTime(spent.count());
        micros.push_back(spent.count() * microsecondsPerSecond);
    }
    reportPercentiles(state, micros);
}

// The share the user-interface thread pays: the three calls themselves.
void closeOpenPlayCalls(benchmark::State& state) {
    MediaPlayerMP3 player;
    timeCloseOpenPlay(state, player, false);
}

// A narration on a slow disk or a network home folder: every read waits before it decodes.
class SlowSource : public PcmSource {
public:
    SlowSource(const QString& path, std::chrono::microseconds delay)
        : source_(path), delay_(delay) {}
    int read(float* out, int frames) override {
        std::this_thread::sleep_for(delay_);
        return source_.read(out, frames);
    }
    int readDecoded(float* out, int frames) override { return source_.readDecoded(out, frames); }
    bool finished() const override { return source_.finished(); }
    bool rewind() override { return source_.rewind(); }
    long sourceRate() const override { return source_.sourceRate(); }
    int sourceChannels() const override { return source_.sourceChannels(); }

private:
    NarrationSource source_;
    std::chrono::microseconds delay_;
};

// The user-interface thread's close + open + play while the output is fed by a source whose
// reads take state.range(0) microseconds: the calls must not wait for those reads.
void closeOpenPlayWithSlowSource(benchmark::State& state) {
    const std::chrono::microseconds delay(state.range(0));
    MediaPlayerMP3 player(
        [delay](const QString& path) { return std::make_unique<SlowSource>(path, delay); });
    timeCloseOpenPlay(state, player, true);
}

} // namespace

BENCHMARK(failedOpen)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(startToFirstSamples)->UseManualTime()->Iterations(starts)->Unit(benchmark::kMicrosecond);
BENCHMARK(closeOpenPlayCalls)->UseManualTime()->Iterations(starts)->Unit(benchmark::kMicrosecond);
BENCHMARK(closeOpenPlayWithSlowSource)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(slowStarts)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // SDL's dummy driver takes a buffer every 11.6 ms like a sound card. For the player's own
    // share, run with SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0.
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) ||
        !QDir().mkpath(QStringLiteral("sons_familles")) ||
        !mp3fixture::makeWord(QStringLiteral("sons_familles/9.mp3"), wordRate, 1, wordSeconds)) {
        fprintf(stderr, "cannot make the word to play (is lame installed?)\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
