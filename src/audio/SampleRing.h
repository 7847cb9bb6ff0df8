// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A fixed ring of interleaved sample frames between one writing thread and one reading thread,
// without locks: the decoder writes ahead, the audio callback only copies out.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class SampleRing {
public:
    // Room for `frames` frames (a power of two) of `channels` samples each.
    SampleRing(int frames, int channels);

    int capacity() const { return capacity_; }
    // Frames the reader may take now; from the writer it is a lower bound of the free room.
    int readable() const;
    int writable() const { return capacity_ - readable(); }
    // Frames read since the last clear.
    int64_t consumed() const { return static_cast<int64_t>(read_.load(std::memory_order_acquire)); }

    // Writer: lets `fill` write into the free room, span by span, up to `frames` frames; fill
    // returns how many frames it wrote and stops the writing when that is less than it was
    // offered. Returns the frames written.
    int write(int frames, const std::function<int(float* out, int frames)>& fill);
    // Reader: adds up to `frames` frames to out and frees them; returns how many.
    int mixInto(float* out, int frames);
    // Empties the ring; only while neither thread uses it.
    void clear();

private:
    std::unique_ptr<float[]> samples_; // left unset: only written frames are ever read
    int capacity_;
    int channels_;
    // Frames written and read since the last clear; they only grow, so no index is ambiguous.
    alignas(64) std::atomic<uint64_t> written_{0};
    alignas(64) std::atomic<uint64_t> read_{0};
};
