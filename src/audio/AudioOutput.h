// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one SDL output device of the process and the mixer of the narrations playing on it.
#pragma once

#include <SDL.h>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class MixerChannel;

// The device is opened at the first play and kept while it works: closing an SDL device waits
// for its buffers to drain. Opening and closing happen on the output's watcher thread, never on
// the players' thread: a sound server may take its time to answer. The watcher also notices a
// device that SDL reports lost (a sound server that went away) and closes it; the next play
// opens a new one. Every player plays on it; the channels of players that play at the same time are
// mixed (summed and clipped), so a second player never cuts the first off.
class AudioOutput {
public:
    static constexpr int rate = 44100;
    static constexpr int channels = 2;
    // 512 frames at 44.1 kHz is 11.6 ms between callbacks, the wait before a word is heard.
    static constexpr int bufferFrames = 512;
    static constexpr int maxChannels = 16;
    // After a failed opening, plays are refused for this long; the next one tries again.
    static constexpr std::chrono::milliseconds retryDelay{200};

    // The process's output, shared by the players that hold it.
    static std::shared_ptr<AudioOutput> shared();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // The number of the device opening in progress: it moves on whenever an opening ends, the
    // device lost or never opened. Any thread; it is only ever compared, and guards no data,
    // hence relaxed. Static, so that a filler may still read it after the output is gone.
    static uint32_t epoch() { return epoch_.load(std::memory_order_relaxed); }

    // Players' thread. The opening a channel started now plays on: the open device, or one the
    // watcher is opening now (asked for here when there is none, or it was lost). Nothing when
    // the last try failed less than retryDelay ago. Channels of earlier openings leave the mix.
    std::optional<uint32_t> prepare();
    // Players' thread: a channel may join the mix.
    bool hasRoom() const;
    // Players' thread: adds the channel to the mix, which has room.
    void add(MixerChannel& channel);
    // Players' thread: takes the channel out of the mix; on return the callback no longer
    // touches it.
    void remove(MixerChannel& channel) noexcept;
    // Players' thread: the channel is in the mix (it may have played out).
    bool mixing(const MixerChannel& channel) const;

private:
    enum class Device { Closed, Opening, Open, Closing };

    AudioOutput();
    void watch();
    static SDL_AudioDeviceID openDevice(void* output);
    static void closeDevice(SDL_AudioDeviceID device) noexcept;
    static void fill(void* output, Uint8* stream, int length);
    void mix(float* out, int frames);
    bool channelsInMix() const;

    static inline std::atomic<uint32_t> epoch_{0}; // written under deviceMutex_

    // The device, between the players' thread and the watcher; never held while SDL opens or
    // closes a device.
    std::mutex deviceMutex_;
    std::condition_variable watcherWake_;
    Device state_ = Device::Closed;
    SDL_AudioDeviceID device_ = 0; // while Open or Closing
    bool reopen_ = false;          // open again once closed
    bool quit_ = false;
    std::optional<std::chrono::steady_clock::time_point> failedAt_; // the last opening's failure

    // The mix: slots written by the players' thread, read by the callback. The pass count is odd
    // while the callback reads them, so remove() can wait for the pass that may still see a
    // channel.
    std::array<std::atomic<MixerChannel*>, maxChannels> slots_{};
    std::array<MixerChannel*, maxChannels> owners_{}; // the players' thread's copy of slots_
    std::atomic<uint64_t> mixPasses_{0};

    std::thread watcher_; // last: started once the rest is ready
};
