// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The speech finder against WebRTC's voice activity detector (Debian's libwebrtc-audio-processing)
// on the test corpus: how many takes each bounds within 15 ms before and 30 ms after the speech,
// and how long each takes for a second of sound.
#include "GuiMain.h"
#include "support/SpeechCorpus.h"
#include "takes/SpeechFinder.h"
#include "takes/TakeProcessor.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <functional>

#ifdef MIRABOSC_WEBRTC_VAD
// The package ships the detector's C entry points but not their header.
extern "C" {
struct WebRtcVadInst;
WebRtcVadInst* WebRtcVad_Create();
void WebRtcVad_Free(WebRtcVadInst* handle);
int WebRtcVad_Init(WebRtcVadInst* handle);
int WebRtcVad_set_mode(WebRtcVadInst* handle, int mode);
int WebRtcVad_Process(WebRtcVadInst* handle, int rate, const int16_t* frame, size_t length);
}
#endif

namespace {

constexpr double earliest = 0.015, latest = 0.03;
constexpr size_t vadFrame = speechcorpus::rate / 100; // 10 ms, as the detector takes them
constexpr float pcmFullScale = 32767;

struct Bounds {
    double first = -1, end = -1; // seconds; negative: no speech found
};

const std::vector<speechcorpus::Take>& corpus() {
    static QTemporaryDir dir;
    static const std::vector<speechcorpus::Take> takes = [] {
        std::vector<speechcorpus::Take> made;
        for (const speechcorpus::Recipe& recipe : speechcorpus::recipes())
            made.push_back(speechcorpus::make(dir.path(), recipe));
        return made;
    }();
    return takes;
}

Bounds finder(const std::vector<float>& samples) {
    Take take{speechcorpus::rate, 1, samples};
    takeprocessor::removeOffset(take);
    try {
        const speechfinder::Bounds found = speechfinder::find(take);
        return {double(found.first) / take.rate, double(found.end) / take.rate};
    } catch (...) {
        return {};
    }
}

#ifdef MIRABOSC_WEBRTC_VAD
Bounds webrtc(const std::vector<float>& samples, int mode) {
    std::vector<int16_t> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](float sample) {
        return int16_t(std::clamp(sample, -1.0f, 1.0f) * pcmFullScale);
    });
    WebRtcVadInst* vad = WebRtcVad_Create();
    WebRtcVad_Init(vad);
    WebRtcVad_set_mode(vad, mode);
    Bounds found;
    for (size_t at = 0; at + vadFrame <= pcm.size(); at += vadFrame)
        if (WebRtcVad_Process(vad, speechcorpus::rate, pcm.data() + at, vadFrame) == 1) {
            found.first = found.first < 0 ? double(at) / speechcorpus::rate : found.first;
            found.end = double(at + vadFrame) / speechcorpus::rate;
        }
    WebRtcVad_Free(vad);
    return found;
}
#endif

// Runs a detector over the corpus; counts the takes it bounds right, and the seconds of sound.
void measure(benchmark::State& state,
             const std::function<Bounds(const std::vector<float>&)>& find) {
    double right = 0, seconds = 0;
    for (auto _ : state) {
        right = 0;
        for (const speechcorpus::Take& take : corpus()) {
            const Bounds found = find(take.samples);
            right += found.first <= take.start && found.first >= take.start - earliest &&
                     found.end >= take.end && found.end <= take.end + latest;
            seconds += double(take.samples.size()) / speechcorpus::rate;
        }
    }
    state.counters["takes_right"] = right;
    state.counters["takes"] = double(corpus().size());
    // Seconds of sound gone through in a second, over all iterations.
    state.counters["realtime_x"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}

void speechFinder(benchmark::State& state) {
    measure(state, finder);
}

void webrtcVad(benchmark::State& state) {
#ifdef MIRABOSC_WEBRTC_VAD
    const int mode = int(state.range(0));
    measure(state, [mode](const std::vector<float>& samples) { return webrtc(samples, mode); });
#else
    state.SkipWithError("built without libwebrtc-audio-processing");
#endif
}

} // namespace

BENCHMARK(speechFinder)->Unit(benchmark::kMillisecond);
BENCHMARK(webrtcVad)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
