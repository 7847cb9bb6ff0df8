// Trimming against the take's own noise floor, and levelling to the default voices' peak.
#include "voices/TakeProcessor.h"

#include "voices/VoiceRefused.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace takeprocessor {

namespace {

constexpr double windowSeconds = 0.010;
// The quietest tenth of the windows is taken as the room's noise.
constexpr double floorQuantile = 0.10;
constexpr double silentDb = -100.0;
constexpr double digitalSilenceDb = -90.0;
// Speech must stand this far above the noise, and above this absolute level.
constexpr double speechOverFloorDb = 20.0;
constexpr double quietestSpeechDb = -55.0;
// A window counts as speech when it is this far above the floor and not too far below the peak.
constexpr double thresholdOverFloorDb = 9.0;
constexpr double thresholdUnderPeakDb = 45.0;
// Fewer loud windows than this is a click or a knock, not a word.
constexpr int shortestSpeechWindows = 5;
constexpr double leadMarginSeconds = 0.05;
constexpr double tailMarginSeconds = 0.10;

std::vector<double> windowLevels(const Take& mono, int64_t windowFrames) {
    std::vector<double> levels;
    const int64_t frames = mono.frames();
    for (int64_t start = 0; start < frames; start += windowFrames) {
        const int64_t end = std::min(frames, start + windowFrames);
        double energy = 0.0;
        for (int64_t i = start; i < end; ++i)
            energy += double(mono.samples[size_t(i)]) * mono.samples[size_t(i)];
        const double rms = std::sqrt(energy / double(end - start));
        levels.push_back(rms > 0.0 ? std::max(silentDb, 20.0 * std::log10(rms)) : silentDb);
    }
    return levels;
}

VoiceRefused noSpeech() {
    return VoiceRefused(QStringLiteral("L'enregistrament ten pas cap de paraula "
                                       "(silenci o bruch sonque)"));
}

} // namespace

Take toMono(const Take& take) {
    Take mono{take.rate, 1, {}};
    const int64_t frames = take.frames();
    mono.samples.resize(size_t(frames));
    for (int64_t i = 0; i < frames; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < take.channels; ++c)
            sum += take.samples[size_t(i * take.channels + c)];
        mono.samples[size_t(i)] = sum / float(take.channels);
    }
    return mono;
}

Span spokenPart(const Take& mono) {
    const auto windowFrames =
        std::max<int64_t>(1, int64_t(std::llround(mono.rate * windowSeconds)));
    const std::vector<double> levels = windowLevels(mono, windowFrames);
    if (levels.empty())
        throw noSpeech();
    // Digital silence (a device still starting, a pause in a file) is no room: left out of the
    // floor, it would make the room's own noise count as speech.
    std::vector<double> sorted;
    std::copy_if(levels.begin(), levels.end(), std::back_inserter(sorted),
                 [](double level) { return level > digitalSilenceDb; });
    if (sorted.empty())
        throw noSpeech();
    const auto quantile = sorted.begin() + ptrdiff_t(double(sorted.size() - 1) * floorQuantile);
    std::nth_element(sorted.begin(), quantile, sorted.end());
    const double noiseFloor = *quantile;
    const double peak = *std::max_element(levels.begin(), levels.end());
    if (peak < quietestSpeechDb || peak - noiseFloor < speechOverFloorDb)
        throw noSpeech();
    const double threshold =
        std::max(noiseFloor + thresholdOverFloorDb, peak - thresholdUnderPeakDb);
    const auto loud = [threshold](double level) { return level > threshold; };
    if (std::count_if(levels.begin(), levels.end(), loud) < shortestSpeechWindows)
        throw noSpeech();
    const auto first = int64_t(std::find_if(levels.begin(), levels.end(), loud) - levels.begin());
    const auto last =
        int64_t(std::find_if(levels.rbegin(), levels.rend(), loud).base() - levels.begin() - 1);
    const auto lead = int64_t(std::llround(mono.rate * leadMarginSeconds));
    const auto tail = int64_t(std::llround(mono.rate * tailMarginSeconds));
    return {std::max<int64_t>(0, first * windowFrames - lead),
            std::min(mono.frames(), (last + 1) * windowFrames + tail)};
}

void level(Take& mono, float peak) {
    float loudest = 0.0f;
    for (float sample : mono.samples)
        loudest = std::max(loudest, std::abs(sample));
    if (loudest <= 0.0f)
        return;
    const float gain = peak / loudest;
    for (float& sample : mono.samples)
        sample *= gain;
}

Take prepare(const Take& take) {
    if (take.rate <= 0 || take.channels <= 0 || take.frames() == 0)
        throw VoiceRefused(QStringLiteral("L'enregistrament es void"));
    if (take.seconds() > longestTakeSeconds)
        throw VoiceRefused(QStringLiteral("L'enregistrament dura mai de %1 s (%2 s)")
                               .arg(longestTakeSeconds)
                               .arg(take.seconds(), 0, 'f', 1));
    Take mono = toMono(take);
    const Span span = spokenPart(mono);
    mono.samples.erase(mono.samples.begin() + span.end, mono.samples.end());
    mono.samples.erase(mono.samples.begin(), mono.samples.begin() + span.first);
    level(mono);
    return mono;
}

} // namespace takeprocessor
