// The process's SDL output device and the mixing of the voices that play on it.
#include "audio/AudioOutput.h"

#include "audio/AudioLog.h"
#include "audio/MixerVoice.h"
#include "audio/SdlAudio.h"

#include <algorithm>
#include <thread>

std::shared_ptr<AudioOutput> AudioOutput::shared() {
    // Players hold the output too, so a player outliving this reference still finds it.
    static const std::shared_ptr<AudioOutput> output(new AudioOutput);
    return output;
}

AudioOutput::AudioOutput() : decoder_([this] { noticeLostDevice(); }) {}

AudioOutput::~AudioOutput() {
    decoder_.stop();
    const std::lock_guard lock(deviceMutex_);
    closeDevice();
}

bool AudioOutput::deviceReady() {
    const std::lock_guard lock(deviceMutex_);
    if (device_ != 0) {
        if (SDL_GetAudioDeviceStatus(device_) != SDL_AUDIO_STOPPED)
            return true;
        qCInfo(lcAudio) << "sortie audio perdue : nouvelle ouverture";
        // What played on the lost device is over; it must not go on where it stopped.
        decoder_.endAll();
        const auto lostAt = std::chrono::steady_clock::now();
        closeDevice();
        qCDebug(lcAudio) << "sortie perdue fermée en"
                         << std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - lostAt)
                                .count()
                         << "ms";
        nextAttempt_ = {};
    }
    const auto now = std::chrono::steady_clock::now();
    if (now < nextAttempt_)
        return false;
    if (openDevice()) {
        qCDebug(lcAudio) << "sortie ouverte en"
                         << std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - now)
                                .count()
                         << "ms";
        return true;
    }
    nextAttempt_ = now + retryDelay;
    closeDevice();
    return false;
}

bool AudioOutput::openDevice() {
    if (!sdlaudio::start()) {
        qCInfo(lcAudio) << "pas de pilote audio :" << SDL_GetError();
        return false;
    }
    audioInitialised_ = true;
    device_ = sdlaudio::openFloat(false, rate, channels, bufferFrames, &AudioOutput::fill, this);
    if (device_ == 0) {
        qCInfo(lcAudio) << "pas de sortie audio :" << SDL_GetError();
        return false;
    }
    qCDebug(lcAudio) << "sortie audio ouverte avec le pilote" << SDL_GetCurrentAudioDriver();
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void AudioOutput::closeDevice() noexcept {
    if (device_ != 0)
        SDL_CloseAudioDevice(device_);
    device_ = 0;
    // A sound server that comes back is reached only through a new connection of the driver.
    if (audioInitialised_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioInitialised_ = false;
}

void AudioOutput::noticeLostDevice() noexcept {
    const std::lock_guard lock(deviceMutex_);
    if (device_ == 0 || SDL_GetAudioDeviceStatus(device_) != SDL_AUDIO_STOPPED)
        return;
    qCInfo(lcAudio) << "sortie audio perdue";
    decoder_.endAll();
    // Closed here rather than at the next play, where it would hold the user-interface thread.
    closeDevice();
    nextAttempt_ = {};
}

bool AudioOutput::start(const std::shared_ptr<MixerVoice>& voice) {
    if (mixing(*voice))
        return true;
    const auto free = std::find(owners_.begin(), owners_.end(), nullptr);
    if (free == owners_.end())
        return false;
    const auto slot = static_cast<size_t>(free - owners_.begin());
    voice->decoding.store(true, std::memory_order_release);
    decoder_.add(voice);
    owners_[slot] = voice.get();
    slots_[slot].store(voice.get());
    return true;
}

void AudioOutput::stop(MixerVoice& voice) noexcept {
    const auto owner = std::find(owners_.begin(), owners_.end(), &voice);
    if (owner != owners_.end()) {
        const auto slot = static_cast<size_t>(owner - owners_.begin());
        slots_[slot].store(nullptr);
        *owner = nullptr;
        // A pass that began before the store may still be mixing the voice: wait for its end.
        // Later passes no longer see it. The callback only copies, so this is microseconds.
        const uint64_t pass = mixPasses_.load();
        if (pass % 2 == 1) {
            while (mixPasses_.load() == pass)
                std::this_thread::yield();
        }
    }
    voice.decoding.store(false, std::memory_order_release);
    decoder_.remove(voice);
}

bool AudioOutput::mixing(const MixerVoice& voice) const {
    return std::find(owners_.begin(), owners_.end(), &voice) != owners_.end();
}

void AudioOutput::fill(void* output, Uint8* stream, int length) {
    const int frames = length / static_cast<int>(sizeof(float) * channels);
    static_cast<AudioOutput*>(output)->mix(reinterpret_cast<float*>(stream), frames);
}

void AudioOutput::mix(float* out, int frames) {
    float* const end = out + static_cast<ptrdiff_t>(frames) * channels;
    std::fill(out, end, 0.0f);
    bool wake = false;
    mixPasses_.fetch_add(1);
    for (auto& slot : slots_) {
        if (MixerVoice* voice = slot.load())
            wake = voice->mixInto(out, frames) || wake;
    }
    mixPasses_.fetch_add(1);
    if (wake)
        decoder_.wake();
    std::transform(out, end, out, [](float sample) { return std::clamp(sample, -1.0f, 1.0f); });
}
