// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The kept part is found by the pipeline's own steps, so what is marked is what the voice holds.
#include "takes/TakeReview.h"

#include "base/Errors.h"
#include "takes/TakeProcessor.h"

#include <algorithm>
#include <cmath>

TakeReview TakeReview::of(const Take& take, int sliceCount) {
    TakeReview review;
    Take mono = takeprocessor::toMono(take);
    const int64_t frames = mono.frames();
    if (frames == 0 || sliceCount <= 0)
        return review;
    review.columns.assign(size_t(sliceCount), 0.0f);
    for (int64_t i = 0; i < frames; ++i) {
        const float sample = std::isfinite(mono.samples[size_t(i)]) ? mono.samples[size_t(i)] : 0;
        float& column = review.columns[size_t(i * sliceCount / frames)];
        column = std::max(column, std::min(std::abs(sample), 1.0f));
    }
    review.clipped = std::any_of(take.samples.begin(), take.samples.end(), [](float s) {
        return !std::isfinite(s) || std::abs(s) >= clipLevel;
    });
    takeprocessor::clean(mono);
    takeprocessor::removeOffset(mono);
    try {
        const takeprocessor::Span span = takeprocessor::spokenPart(mono);
        review.kept = {double(span.first) / frames, double(span.end) / frames};
        Take spoken{
            mono.rate, 1, {mono.samples.begin() + span.first, mono.samples.begin() + span.end}};
        review.loudnessLufs = takeprocessor::loudness(spoken);
        review.tooQuiet = !(review.loudnessLufs > quietestLufs);
    } catch (const SetRefused&) {
        review.tooQuiet = true;
    }
    return review;
}
