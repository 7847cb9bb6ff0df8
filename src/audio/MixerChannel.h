// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One open narration as the output sees it: its source, the ring its samples are decoded into
// ahead of the audio callback, its phase, and the work of the filler thread that reads its file.
#pragma once

#include "audio/ChannelState.h"
#include "audio/PcmSource.h"
#include "audio/SampleRing.h"

#include <SDL.h>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

class MixerChannel {
public:
    // 32768 frames, 0.74 s: a word survives stalls of its filler of over half a second.
    static constexpr int ringFrames = 1 << 15;

    // `player` names the player whose notices this channel posts. A channel cut off before any
    // of it was heard posts one too when `noticeUnheard` is set (a sentence whose listener waits
    // for its end).
    MixerChannel(std::unique_ptr<PcmSource> source, uint64_t player, bool noticeUnheard = false);

    // Player's thread.
    ChannelState::Phase phase() const { return state_.phase(); }
    // The device opening it plays on (see AudioOutput::epoch).
    uint32_t epoch() const { return epoch_; }
    // From the start again (or from what the open decoded, the first time) on the device opening
    // `epoch`, sounding once its filler has decoded a chunk ahead; hands it to a filler thread the
    // first time. False, with nothing changed, while the channel still sounds or its filler still
    // holds the source, or when the file will not rewind.
    static bool start(const std::shared_ptr<MixerChannel>& channel, uint32_t epoch);
    // Lets the channel go, posting a notice left due: the filler frees it once its read in
    // progress ends. The output must no longer mix it.
    void release();
    // Sample frames handed to the output since the open, over every play.
    int64_t framesDelivered() const { return deliveredBefore_ + ring_.consumed(); }
    std::optional<std::chrono::steady_clock::time_point> firstDelivery() const;

    // Audio callback: adds the ring's next frames to out.
    void mixInto(float* out, int frames);

    // Filler thread: reads the file into the ring while the channel plays, cuts it off when its
    // device is gone, posts its notice; returns once the player let it go.
    void fill();

private:
    void topUp();
    void post() const;
    void assertPlayerThread() const;

    std::unique_ptr<PcmSource> source_;
    SampleRing ring_;
    ChannelState state_;
    const uint64_t player_;
    const bool noticeUnheard_;
    uint32_t epoch_ = 0;          // written by the player's thread before start hands it on
    bool started_ = false;        // the player's thread's: a later start rewinds first
    int64_t deliveredBefore_ = 0; // the player's thread's: frames of the plays before this one
    std::thread::id playerThread_ = std::this_thread::get_id();
    struct SemaphoreDeleter {
        void operator()(SDL_sem* semaphore) const { SDL_DestroySemaphore(semaphore); }
    };
    // Posted by the callback when the ring runs low or the channel played out (a post neither
    // locks nor allocates), and by the player's thread at a start and at the release.
    std::unique_ptr<SDL_sem, SemaphoreDeleter> wake_{SDL_CreateSemaphore(0)};
    // Written only by the callback, once: a relaxed load per callback, no compare-exchange.
    std::atomic<int64_t> firstDeliveryTicks_{noDelivery};
    // The filler has decoded a chunk ahead since the start: only then does the callback mix the
    // channel, so that a word never breaks off after the few frames decoded at the open while
    // its filler wakes. Cleared by the player's thread at a start, before the output mixes the
    // channel; set by the filler with release after the ring's write, read by the callback with
    // acquire.
    std::atomic<bool> primed_{false};
    static constexpr int64_t noDelivery = INT64_MIN;
};
