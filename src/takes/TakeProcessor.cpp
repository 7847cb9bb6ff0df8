// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Cleaning before anything is measured, trimming to the speech the finder locates, and levelling
// by loudness with a true-peak ceiling.
#include "takes/TakeProcessor.h"

#include "base/Errors.h"
#include "takes/Loudness.h"
#include "takes/SpeechFinder.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace takeprocessor {

namespace {

// Slow drift under this is no sound: it goes with the offset.
constexpr double driftHz = 20.0;

Span withMargins(const speechfinder::Bounds& speech, const Take& mono) {
    const auto lead = int64_t(std::llround(mono.rate * leadMarginSeconds));
    const auto tail = int64_t(std::llround(mono.rate * tailMarginSeconds));
    return {speech.first - lead, speech.end + tail};
}

Span clamped(const Span& span, const Take& mono) {
    return {std::max<int64_t>(0, span.first), std::min(mono.frames(), span.end)};
}

double fromDecibels(double db) {
    return std::pow(10.0, db / 20.0);
}

} // namespace

Take toMono(const Take& take) {
    if (take.channels == 1)
        return take;
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

int64_t clean(Take& take) {
    int64_t repaired = 0;
    for (float& sample : take.samples) {
        if (!std::isfinite(sample)) {
            sample = 0.0f;
            ++repaired;
        } else if (std::abs(sample) > 1.0f) {
            sample = std::copysign(1.0f, sample);
            ++repaired;
        }
    }
    return repaired;
}

void removeOffset(Take& mono) {
    if (mono.samples.empty() || mono.rate <= 0)
        return;
    double sum = 0.0;
    for (float sample : mono.samples)
        sum += sample;
    const double mean = sum / double(mono.samples.size());
    // Once the mean is gone, a one-pole high-pass takes what drifts, with no step at the start.
    const double keep = 1.0 / (1.0 + 2.0 * std::numbers::pi * driftHz / mono.rate);
    double previousIn = 0.0, previousOut = 0.0;
    for (float& sample : mono.samples) {
        const double in = sample - mean;
        previousOut = keep * (previousOut + in - previousIn);
        previousIn = in;
        sample = float(previousOut);
    }
}

Span spokenPart(const Take& mono) {
    return clamped(withMargins(speechfinder::find(mono), mono), mono);
}

double loudness(const Take& mono) {
    return loudness::measure(mono).integratedLufs;
}

double truePeak(const Take& mono) {
    const double peak = loudness::measure(mono).truePeak;
    return peak > 0.0 ? 20.0 * std::log10(peak) : -HUGE_VAL;
}

void level(Take& mono) {
    const loudness::Measure measure = loudness::measure(mono);
    if (!std::isfinite(measure.integratedLufs) || measure.truePeak <= 0.0)
        return;
    const double gain = std::min(fromDecibels(targetLoudnessLufs - measure.integratedLufs),
                                 fromDecibels(truePeakCeilingDbtp) / measure.truePeak);
    for (float& sample : mono.samples)
        sample = float(sample * gain);
}

Take prepare(Take take) {
    if (take.rate <= 0 || take.channels <= 0 || take.frames() == 0)
        throw SetRefused(QStringLiteral("L'enregistrament es void"));
    if (take.seconds() > longestTakeSeconds)
        throw SetRefused(QStringLiteral("L'enregistrament dura mai de %1 s (%2 s)")
                             .arg(longestTakeSeconds)
                             .arg(take.seconds(), 0, 'f', 1));
    Take mono = take.channels == 1 ? std::move(take) : toMono(take);
    clean(mono);
    removeOffset(mono);
    // Every voice gets its whole margins, with silence where the take had less (a synthetic
    // voice starts at once), so that all words start and end alike.
    const Span whole = withMargins(speechfinder::find(mono), mono);
    const Span kept = clamped(whole, mono);
    Take voice{mono.rate, 1, {}};
    voice.samples.assign(size_t(whole.end - whole.first), 0.0f);
    std::copy(mono.samples.begin() + kept.first, mono.samples.begin() + kept.end,
              voice.samples.begin() + (kept.first - whole.first));
    level(voice);
    return voice;
}

} // namespace takeprocessor
