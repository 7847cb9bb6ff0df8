// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Windows of 20 ms: their mean power in dB; the floor follows the quietest window, so a room's
// steady noise does not count as speech.
#include "takes/SpeechEnd.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double silentDb = -120;

} // namespace

SpeechEnd::SpeechEnd(int rate) : windowFrames_(std::max(1, int(rate * windowSeconds))) {}

bool SpeechEnd::feed(const float* samples, size_t count) {
    for (size_t i = 0; i < count && !ended_; ++i) {
        const double sample = std::isfinite(samples[i]) ? samples[i] : 0.0;
        energy_ += sample * sample;
        ++fed_;
        if (++inWindow_ == windowFrames_)
            judgeWindow();
    }
    return ended_;
}

void SpeechEnd::judgeWindow() {
    const double power = energy_ / inWindow_;
    const double db = power > 0 ? 10 * std::log10(power) : silentDb;
    inWindow_ = 0;
    energy_ = 0;
    if (!hasFloor_ || db < floorDb_) {
        floorDb_ = db;
        hasFloor_ = true;
    }
    const bool speech = db > std::max(floorDb_ + speechOverFloorDb, quietestSpeechDb);
    if (speech) {
        ++speechWindows_;
        silentWindows_ = 0;
        return;
    }
    ++silentWindows_;
    // A click is forgotten once silence follows it; a word is not.
    if (!heardSpeech()) {
        speechWindows_ = 0;
        return;
    }
    if (silentWindows_ * windowSeconds >= silenceSeconds) {
        ended_ = true;
        endFrame_ = fed_;
    }
}
