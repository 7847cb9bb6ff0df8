// The one SDL output device of the process and the mixer of the narrations playing on it.
#pragma once

#include "audio/DecodeAhead.h"

#include <SDL.h>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>

class MixerVoice;

// The device is opened at the first play and kept while it works: closing an SDL device waits
// for its buffers to drain. A device that SDL reports lost (a sound server that went away) is
// closed and opened again at the next play. Every player plays on it; the voices of players that
// play at the same time are mixed (summed and clipped), so a second player never cuts the first
// off. The audio callback only copies from rings that the decoder thread fills ahead.
class AudioOutput {
public:
    static constexpr int rate = 44100;
    static constexpr int channels = 2;
    // 512 frames at 44.1 kHz is 11.6 ms between callbacks, the wait before a word is heard.
    static constexpr int bufferFrames = 512;
    static constexpr int maxVoices = 16;

    // The process's output, shared by the players that hold it.
    static std::shared_ptr<AudioOutput> shared();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // A working device, opened now if there is none or it was lost; false when none can be
    // opened (tried again at most every retryDelay). Called on the players' thread.
    bool deviceReady();
    // Adds the voice to the mix and to the decoder thread's work; false when the mix is full.
    bool start(const std::shared_ptr<MixerVoice>& voice);
    // Takes the voice out of the mix and of the decoder thread's list: on return the audio
    // callback will not touch it and no notice will be posted for it.
    void stop(MixerVoice& voice) noexcept;
    // The voice is in the mix (it may have played out).
    bool mixing(const MixerVoice& voice) const;

private:
    static constexpr std::chrono::seconds retryDelay{2};

    AudioOutput();
    bool openDevice();
    void closeDevice() noexcept;
    void noticeLostDevice() noexcept;
    static void fill(void* output, Uint8* stream, int length);
    void mix(float* out, int frames);

    std::mutex deviceMutex_; // the device, between the players' thread and the decoder thread
    bool audioInitialised_ = false;
    SDL_AudioDeviceID device_ = 0;
    std::chrono::steady_clock::time_point nextAttempt_{};

    // The mix: slots written by the players' thread, read by the callback. The pass count is odd
    // while the callback reads them, so stop() can wait for the pass that may still see a voice.
    std::array<std::atomic<MixerVoice*>, maxVoices> slots_{};
    std::array<const MixerVoice*, maxVoices> owners_{}; // the players' thread's copy of slots_
    std::atomic<uint64_t> mixPasses_{0};

    DecodeAhead decoder_; // last: its thread stops before the rest goes
};
