// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The single-writer single-reader sample ring of a playing narration.
#include "audio/SampleRing.h"

#include <algorithm>
#include <cassert>

namespace {

// Walks `wanted` frames from the ring position `start` in the contiguous spans a ring of
// `capacity` frames (a power of two) holds them in: step(at, done, span) handles frames at..+span
// for the caller's done..+span and returns how many it took; a short step ends the walk.
template <class Step> int forEachSpan(uint64_t start, int wanted, int capacity, Step step) {
    int done = 0;
    while (done < wanted) {
        const auto at = static_cast<int>((start + static_cast<uint64_t>(done)) &
                                         static_cast<uint64_t>(capacity - 1));
        const int span = std::min(wanted - done, capacity - at);
        const int took = std::clamp(step(at, done, span), 0, span);
        done += took;
        if (took < span)
            break;
    }
    return done;
}

} // namespace

SampleRing::SampleRing(int frames, int channels)
    : samples_(std::make_unique_for_overwrite<float[]>(static_cast<size_t>(frames) *
                                                       static_cast<size_t>(channels))),
      capacity_(frames), channels_(channels) {
    assert(frames > 0 && (frames & (frames - 1)) == 0);
}

int SampleRing::readable() const {
    // Read first: the written count read after it can only be later, never less.
    const uint64_t read = read_.load(std::memory_order_acquire);
    return static_cast<int>(written_.load(std::memory_order_acquire) - read);
}

int SampleRing::write(int frames, const std::function<int(float* out, int frames)>& fill) {
    const uint64_t start = written_.load(std::memory_order_relaxed);
    const auto room = static_cast<int>(capacity_ - (start - read_.load(std::memory_order_acquire)));
    const int wanted = std::min(frames, room);
    const int done = forEachSpan(start, wanted, capacity_, [&](int at, int, int span) {
        return fill(samples_.get() + static_cast<ptrdiff_t>(at) * channels_, span);
    });
    written_.store(start + static_cast<uint64_t>(done), std::memory_order_release);
    return done;
}

int SampleRing::mixInto(float* out, int frames) {
    const uint64_t start = read_.load(std::memory_order_relaxed);
    const auto available = static_cast<int>(written_.load(std::memory_order_acquire) - start);
    const int wanted = std::min(frames, available);
    const int done = forEachSpan(start, wanted, capacity_, [&](int at, int offset, int span) {
        const float* from = samples_.get() + static_cast<ptrdiff_t>(at) * channels_;
        float* to = out + static_cast<ptrdiff_t>(offset) * channels_;
        std::transform(from, from + static_cast<ptrdiff_t>(span) * channels_, to, to,
                       [](float sample, float mixed) { return mixed + sample; });
        return span;
    });
    read_.store(start + static_cast<uint64_t>(done), std::memory_order_release);
    return done;
}

void SampleRing::clear() {
    written_.store(0, std::memory_order_relaxed);
    read_.store(0, std::memory_order_relaxed);
}
