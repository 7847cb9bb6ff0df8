// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Windows of 20 ms: their mean power in dB; the floor follows the quietest window, so a room's
// steady noise does not count as speech, and a loud window counts only when voiced, so a cough
// or a breath does not either.
#include "takes/SpeechEnd.h"

#include "takes/Voicing.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double silentDb = -120;
// The speech before a silence this many times the ending one is forgotten when it is too short.
constexpr double forgetAfterSilences = 2;
// Once forgotten, the take starts this far into the silence after it.
constexpr double forgottenShare = 0.5;
// The offset and hum under this are no part of the voicing.
constexpr double dcKeep = 0.995;

} // namespace

SpeechEnd::SpeechEnd(int rate, double shortestSpeech, double silence)
    : rate_(std::max(1, rate)), windowFrames_(std::max(1, int(rate * windowSeconds))),
      shortestSpeech_(shortestSpeech), silence_(silence), step_(voicing::step(rate)) {}

double SpeechEnd::speechSeconds() const {
    return firstSpeech_ < 0 ? 0.0 : double(lastSpeech_ - firstSpeech_) / rate_;
}

bool SpeechEnd::feed(const float* samples, size_t count) {
    const double slowRate = double(rate_) / double(step_);
    const size_t kept = size_t(windowSeconds * slowRate) + voicing::longestPeriod(slowRate);
    for (size_t i = 0; i < count && !ended_; ++i) {
        const double sample = std::isfinite(samples[i]) ? samples[i] : 0.0;
        energy_ += sample * sample;
        previousOut_ = dcKeep * previousOut_ + sample - previousIn_;
        previousIn_ = sample;
        slowSum_ += previousOut_;
        if (++inStep_ == step_) {
            slow_.push_back(float(slowSum_ / double(step_)));
            slowSum_ = 0;
            inStep_ = 0;
            if (slow_.size() > 2 * kept)
                slow_.erase(slow_.begin(), slow_.end() - std::ptrdiff_t(kept));
        }
        ++fed_;
        if (++inWindow_ == windowFrames_)
            judgeWindow();
    }
    return ended_;
}

bool SpeechEnd::voicedWindow() const {
    const double slowRate = double(rate_) / double(step_);
    const auto length = size_t(windowSeconds * slowRate);
    const size_t span = length + voicing::longestPeriod(slowRate);
    return slow_.size() >= span &&
           voicing::voiced(slow_.data() + (slow_.size() - span), length, slowRate);
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
    const bool loud = db > std::max(floorDb_ + speechOverFloorDb, quietestSpeechDb);
    if (loud && voicedWindow()) {
        if (firstSpeech_ < 0)
            firstSpeech_ = fed_ - windowFrames_;
        lastSpeech_ = fed_;
        return;
    }
    // An unvoiced sound after speech (a consonant, a cough) goes on counting as its pause.
    if (firstSpeech_ < 0)
        return;
    const double quiet = double(fed_ - lastSpeech_) / rate_;
    if (heardSpeech() && quiet >= silence_) {
        ended_ = true;
        endFrame_ = fed_;
    } else if (!heardSpeech() && quiet >= forgetAfterSilences * silence_) {
        // Voiced sound as long as a short word may be a word said too quickly: never dropped
        // unheard. Anything shorter is a click or a knock.
        if (speechSeconds() >= shortestSpeechSeconds) {
            setAside_ = speechSeconds();
            ended_ = true;
            endFrame_ = fed_;
            return;
        }
        keepFrom_ = fed_ - int64_t(quiet * forgottenShare * rate_);
        firstSpeech_ = lastSpeech_ = -1;
    }
}
