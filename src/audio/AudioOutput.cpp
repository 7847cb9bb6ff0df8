// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The process's SDL output device, its watcher thread, and the mixing of the channels on it.
#include "audio/AudioOutput.h"

#include "audio/AudioLog.h"
#include "audio/MixerChannel.h"
#include "audio/SdlAudio.h"

#include <algorithm>
#include <cassert>

namespace {

using Clock = std::chrono::steady_clock;

// How often the watcher looks for a lost device: often while channels play, so a word on a lost
// device ends soon, and now and then while none do.
constexpr auto busyWatch = std::chrono::milliseconds(50);
constexpr auto idleWatch = std::chrono::milliseconds(500);

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

std::shared_ptr<AudioOutput> AudioOutput::shared() {
    // Players hold the output too, so a player outliving this reference still finds it.
    static const std::shared_ptr<AudioOutput> output(new AudioOutput);
    return output;
}

AudioOutput::AudioOutput() : watcher_(&AudioOutput::watch, this) {}

AudioOutput::~AudioOutput() {
    {
        const std::lock_guard lock(deviceMutex_);
        quit_ = true;
    }
    watcherWake_.notify_one();
    watcher_.join();
    if (device_ != 0)
        closeDevice(device_);
}

std::optional<uint32_t> AudioOutput::prepare() {
    std::unique_lock lock(deviceMutex_);
    switch (state_) {
    case Device::Open:
        if (SDL_GetAudioDeviceStatus(device_) != SDL_AUDIO_STOPPED)
            return epoch();
        qCInfo(lcAudio) << "sortie audio perdue : nouvelle ouverture";
        epoch_.fetch_add(1, std::memory_order_relaxed);
        state_ = Device::Closing;
        reopen_ = true;
        break;
    case Device::Closing:
        reopen_ = true;
        break;
    case Device::Opening:
        break;
    case Device::Closed:
        if (failedAt_ && Clock::now() - *failedAt_ < retryDelay)
            return std::nullopt;
        state_ = Device::Opening;
        break;
    }
    const uint32_t current = epoch();
    lock.unlock();
    watcherWake_.notify_one();
    // What played on an opening that is over must not go on where it stopped on the next one.
    for (MixerChannel* channel : owners_) {
        if (channel && channel->epoch() != current)
            remove(*channel);
    }
    return current;
}

void AudioOutput::watch() {
    std::unique_lock lock(deviceMutex_);
    while (!quit_) {
        if (state_ == Device::Open && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
            qCInfo(lcAudio) << "sortie audio perdue";
            epoch_.fetch_add(1, std::memory_order_relaxed);
            state_ = Device::Closing;
        }
        if (state_ == Device::Closing) {
            const SDL_AudioDeviceID lost = device_;
            lock.unlock();
            const auto start = Clock::now();
            closeDevice(lost);
            qCDebug(lcAudio) << "sortie perdue fermée en" << millisecondsSince(start) << "ms";
            lock.lock();
            device_ = 0;
            state_ = reopen_ ? Device::Opening : Device::Closed;
            reopen_ = false;
        }
        if (state_ == Device::Opening) {
            lock.unlock();
            const auto start = Clock::now();
            const SDL_AudioDeviceID opened = openDevice(this);
            qCDebug(lcAudio) << (opened ? "sortie ouverte en" : "ouverture échouée en")
                             << millisecondsSince(start) << "ms";
            lock.lock();
            device_ = opened;
            state_ = opened ? Device::Open : Device::Closed;
            failedAt_.reset();
            if (opened == 0) {
                failedAt_ = Clock::now();
                epoch_.fetch_add(1, std::memory_order_relaxed);
            }
        }
        watcherWake_.wait_for(lock, channelsInMix() ? busyWatch : idleWatch, [this] {
            return quit_ || state_ == Device::Opening || state_ == Device::Closing;
        });
    }
    // SDL keeps its error texts per thread, and frees them only on its own threads.
    SDL_TLSCleanup();
}

SDL_AudioDeviceID AudioOutput::openDevice(void* output) {
    if (!sdlaudio::start()) {
        qCInfo(lcAudio) << "pas de pilote audio :" << SDL_GetError();
        return 0;
    }
    const SDL_AudioDeviceID device =
        sdlaudio::openFloat(false, rate, channels, bufferFrames, &AudioOutput::fill, output);
    if (device == 0) {
        qCInfo(lcAudio) << "pas de sortie audio :" << SDL_GetError();
        sdlaudio::stop(0);
        return 0;
    }
    qCDebug(lcAudio) << "sortie audio ouverte avec le pilote" << SDL_GetCurrentAudioDriver();
    SDL_PauseAudioDevice(device, 0);
    return device;
}

void AudioOutput::closeDevice(SDL_AudioDeviceID device) noexcept {
    // A sound server that comes back is reached only through a new connection of the driver.
    sdlaudio::stop(device);
}

bool AudioOutput::hasRoom() const {
    return std::find(owners_.begin(), owners_.end(), nullptr) != owners_.end();
}

void AudioOutput::add(MixerChannel& channel) {
    const auto free = std::find(owners_.begin(), owners_.end(), nullptr);
    assert(free != owners_.end() && !mixing(channel));
    *free = &channel;
    // Release: the callback that finds the channel also finds its prepared ring and phase.
    slots_[static_cast<size_t>(free - owners_.begin())].store(&channel, std::memory_order_release);
}

void AudioOutput::remove(MixerChannel& channel) noexcept {
    const auto owner = std::find(owners_.begin(), owners_.end(), &channel);
    if (owner == owners_.end())
        return;
    *owner = nullptr;
    slots_[static_cast<size_t>(owner - owners_.begin())].store(nullptr, std::memory_order_relaxed);
    // Read with a read-modify-write, the pass count comes in its single order of changes either
    // before the callback's increment that opens a pass, and that pass, acquiring it, sees the
    // emptied slot; or after it: an odd count, and we wait for the pass to close. A plain load
    // would need sequential consistency between the store above and itself to say as much.
    const uint64_t pass = mixPasses_.fetch_add(0, std::memory_order_acq_rel);
    if (pass % 2 == 1) {
        // The callback only copies, so this is microseconds.
        while (mixPasses_.load(std::memory_order_acquire) == pass)
            std::this_thread::yield();
    }
}

bool AudioOutput::mixing(const MixerChannel& channel) const {
    return std::find(owners_.begin(), owners_.end(), &channel) != owners_.end();
}

bool AudioOutput::channelsInMix() const {
    return std::any_of(slots_.begin(), slots_.end(), [](const auto& slot) {
        return slot.load(std::memory_order_relaxed) != nullptr;
    });
}

void AudioOutput::fill(void* output, Uint8* stream, int length) {
    const int frames = length / static_cast<int>(sizeof(float) * channels);
    static_cast<AudioOutput*>(output)->mix(reinterpret_cast<float*>(stream), frames);
}

void AudioOutput::mix(float* out, int frames) {
    float* const end = out + static_cast<ptrdiff_t>(frames) * channels;
    std::fill(out, end, 0.0f);
    mixPasses_.fetch_add(1, std::memory_order_acq_rel);
    for (auto& slot : slots_) {
        if (MixerChannel* channel = slot.load(std::memory_order_acquire))
            channel->mixInto(out, frames);
    }
    mixPasses_.fetch_add(1, std::memory_order_release);
    std::transform(out, end, out, [](float sample) { return std::clamp(sample, -1.0f, 1.0f); });
}
