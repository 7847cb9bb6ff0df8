// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A sentence as one source: its parts' samples back to back, with exact silence between them and
// a few milliseconds' fade at each part's edges, so that no part starts or stops with a click.
#pragma once

#include "audio/PcmSource.h"

#include <memory>
#include <vector>

// Like every source, it belongs to one thread at a time, as its channel's phase says
// (ChannelState): the player's until the start, then the filler's.
class SentenceSource : public PcmSource {
public:
    // 128 frames, 2.9 ms at the output's rate: too short to hear, long enough to take a step of
    // a part cut tight down to nothing.
    static constexpr int fadeFrames = 128;

    // The parts in order, already open, and the silence between two of them in output frames.
    SentenceSource(std::vector<std::unique_ptr<PcmSource>> parts, int pauseFrames);

    int read(float* out, int frames) override;
    // Nothing is decoded ahead of the first read: the filler thread decodes every part.
    int readDecoded(float* out, int frames) override;
    bool finished() const override;
    bool rewind() override;
    long sourceRate() const override;
    int sourceChannels() const override;

private:
    // Reads the current part into held_ until more than a fade is held or the part ends.
    void hold(int frames);
    void fadeIn(float* samples, int frames);
    void nextPart();

    std::vector<std::unique_ptr<PcmSource>> parts_;
    const int pauseFrames_;
    size_t part_ = 0;            // the part being read; parts_.size() once all are read
    bool partEnded_ = false;     // the current part has given its last frame to held_
    int64_t partFrames_ = 0;     // frames of the current part read so far
    int pauseLeft_ = 0;          // silence still due before the current part
    std::vector<float> held_;    // frames read but not yet given: a fade's worth stays back
    std::vector<float> scratch_; // the frames of one read of a part
};
