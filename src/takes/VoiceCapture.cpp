// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The capture callback only appends under a lock; the UI thread reads level and length atomically.
#include "takes/VoiceCapture.h"

#include "audio/SdlAudio.h"
#include "takes/TakeProcessor.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int bufferFrames = 1024;
constexpr auto longestTakeFrames = int64_t(takeprocessor::longestTakeSeconds * VoiceCapture::rate);

} // namespace

VoiceCapture::~VoiceCapture() {
    // A device is only ever open after a successful start.
    if (audioInitialised_)
        sdlaudio::stop(device_);
}

bool VoiceCapture::open() {
    if (device_ != 0)
        return true;
    if (!audioInitialised_) {
        if (!sdlaudio::start()) {
            error_ = QString::fromUtf8(SDL_GetError());
            return false;
        }
        audioInitialised_ = true;
    }
    device_ = sdlaudio::openFloat(true, rate, channels, bufferFrames, &VoiceCapture::receive, this);
    if (device_ == 0)
        error_ = QString::fromUtf8(SDL_GetError());
    return device_ != 0;
}

void VoiceCapture::start() {
    if (device_ == 0)
        return;
    SDL_PauseAudioDevice(device_, 1);
    {
        std::lock_guard lock(mutex_);
        samples_.clear();
        samples_.reserve(size_t(rate) * 10);
    }
    frames_ = 0;
    level_ = 0.0f;
    recording_ = true;
    SDL_PauseAudioDevice(device_, 0);
}

Take VoiceCapture::stop() {
    Take take{rate, channels, {}};
    if (device_ == 0)
        return take;
    // Once paused, SDL calls the callback no more.
    SDL_PauseAudioDevice(device_, 1);
    recording_ = false;
    level_ = 0.0f;
    std::lock_guard lock(mutex_);
    take.samples.swap(samples_);
    return take;
}

Take VoiceCapture::cut(int64_t frame) {
    Take take{rate, channels, {}};
    std::lock_guard lock(mutex_);
    const auto end = std::min(size_t(std::max<int64_t>(frame, 0) * channels), samples_.size());
    take.samples.assign(samples_.begin(), samples_.begin() + std::ptrdiff_t(end));
    samples_.erase(samples_.begin(), samples_.begin() + std::ptrdiff_t(end));
    frames_ = int64_t(samples_.size()) / channels;
    return take;
}

bool VoiceCapture::isFull() const {
    return frames_.load() >= longestTakeFrames;
}

std::vector<float> VoiceCapture::samplesFrom(int64_t frame) {
    std::lock_guard lock(mutex_);
    const auto from = std::min(size_t(std::max<int64_t>(frame, 0) * channels), samples_.size());
    return {samples_.begin() + std::ptrdiff_t(from), samples_.end()};
}

void VoiceCapture::receive(void* self, Uint8* stream, int length) {
    auto* capture = static_cast<VoiceCapture*>(self);
    const auto* samples = reinterpret_cast<const float*>(stream);
    const int count = length / int(sizeof(float));
    float loudest = 0.0f;
    for (int i = 0; i < count; ++i)
        loudest = std::max(loudest, std::abs(samples[i]));
    capture->level_ = std::min(loudest, 1.0f);
    std::lock_guard lock(capture->mutex_);
    const auto room = size_t(longestTakeFrames * channels) - capture->samples_.size();
    const auto kept = std::min(size_t(count), room);
    capture->samples_.insert(capture->samples_.end(), samples, samples + kept);
    capture->frames_ = int64_t(capture->samples_.size()) / channels;
}
