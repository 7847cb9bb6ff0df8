// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A sentence as one source: parts read one after the other, held back by a fade's length so that
// a part's last frames can be faded out once its end is known.
#include "audio/SentenceSource.h"

#include "audio/AudioOutput.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int width = AudioOutput::channels;

// The gain of the k-th frame of a fade of fadeFrames frames, rising from near 0 to near 1.
float rising(int64_t k) {
    return float(k + 1) / float(SentenceSource::fadeFrames + 1);
}
} // namespace

SentenceSource::SentenceSource(std::vector<std::unique_ptr<PcmSource>> parts, int pauseFrames)
    : parts_(std::move(parts)), pauseFrames_(pauseFrames) {}

void SentenceSource::fadeIn(float* samples, int frames) {
    for (int f = 0; f < frames && partFrames_ + f < fadeFrames; ++f)
        for (int c = 0; c < width; ++c)
            samples[f * width + c] *= rising(partFrames_ + f);
}

void SentenceSource::hold(int frames) {
    while (!partEnded_ && int(held_.size()) / width < frames + fadeFrames) {
        const int wanted = frames + fadeFrames - int(held_.size()) / width;
        scratch_.resize(size_t(wanted * width));
        const int got = parts_[part_]->read(scratch_.data(), wanted);
        fadeIn(scratch_.data(), got);
        partFrames_ += got;
        held_.insert(held_.end(), scratch_.begin(), scratch_.begin() + got * width);
        // A read that gives nothing ends the part, finished or failing.
        if (got == 0 || parts_[part_]->finished()) {
            partEnded_ = true;
            const int tail = std::min(fadeFrames, int(held_.size()) / width);
            float* end = held_.data() + held_.size();
            for (int k = 0; k < tail; ++k)
                for (int c = 0; c < width; ++c)
                    end[-(k + 1) * width + c] *= rising(k);
        }
    }
}

void SentenceSource::nextPart() {
    ++part_;
    partEnded_ = false;
    partFrames_ = 0;
    pauseLeft_ = part_ < parts_.size() ? pauseFrames_ : 0;
}

int SentenceSource::read(float* out, int frames) {
    int got = 0;
    while (got < frames && part_ < parts_.size()) {
        if (pauseLeft_ > 0) {
            const int silence = std::min(pauseLeft_, frames - got);
            std::memset(out + got * width, 0, size_t(silence * width) * sizeof(float));
            got += silence;
            pauseLeft_ -= silence;
            continue;
        }
        hold(frames - got);
        const int heldFrames = int(held_.size()) / width;
        const int ready = std::min(frames - got, partEnded_ ? heldFrames : heldFrames - fadeFrames);
        std::copy_n(held_.begin(), ready * width, out + got * width);
        held_.erase(held_.begin(), held_.begin() + ready * width);
        got += ready;
        if (partEnded_ && held_.empty())
            nextPart();
    }
    return got;
}

int SentenceSource::readDecoded(float* out, int frames) {
    (void)out;
    (void)frames;
    return 0;
}

bool SentenceSource::finished() const {
    return part_ >= parts_.size();
}

bool SentenceSource::rewind() {
    for (auto& part : parts_)
        if (!part->rewind())
            return false;
    part_ = 0;
    partEnded_ = false;
    partFrames_ = 0;
    pauseLeft_ = 0;
    held_.clear();
    return true;
}

long SentenceSource::sourceRate() const {
    return AudioOutput::rate;
}

int SentenceSource::sourceChannels() const {
    return width;
}
