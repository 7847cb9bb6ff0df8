// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A narration on the output: the player's start and release, the filler thread that reads its
// file, and the callback's share of the work.
#include "audio/MixerChannel.h"

#include "audio/AudioLog.h"
#include "audio/AudioOutput.h"
#include "audio/EndOfPlayReceiver.h"
#include "audio/FillerThreads.h"

#include <cassert>
#include <system_error>

namespace {

using Phase = ChannelState::Phase;

// While its channel sounds, the filler also wakes this often to see whether the device it plays
// on is gone, so that a word cut off by a lost device ends soon.
constexpr Uint32 watchIntervalMs = 50;
// One read of the file: 46 ms of sound.
constexpr int chunkFrames = 2048;

} // namespace

MixerChannel::MixerChannel(std::unique_ptr<PcmSource> source, uint64_t player, bool noticeUnheard)
    : source_(std::move(source)), ring_(ringFrames, AudioOutput::channels), player_(player),
      noticeUnheard_(noticeUnheard) {}

void MixerChannel::assertPlayerThread() const {
    assert(std::this_thread::get_id() == playerThread_);
}

bool MixerChannel::start(const std::shared_ptr<MixerChannel>& channel, uint32_t epoch) {
    MixerChannel& v = *channel;
    v.assertPlayerThread();
    if (!v.wake_)
        return false;
    if (v.state_.phase() == Phase::PlayedOut && v.state_.takeNotice())
        v.post();
    const Phase phase = v.state_.phase();
    if (phase != Phase::Ready && phase != Phase::Over && phase != Phase::Refused)
        return false;
    if (v.started_ && !v.source_->rewind())
        return false;
    v.deliveredBefore_ += v.ring_.consumed();
    v.ring_.clear();
    v.ring_.write(v.ring_.capacity(),
                  [&v](float* out, int frames) { return v.source_->readDecoded(out, frames); });
    v.epoch_ = epoch;
    v.primed_.store(false, std::memory_order_relaxed);
    if (!v.started_) {
        try {
            // The filler holds the channel, so a read that outlasts the player frees it later.
            fillerthreads::hand(channel);
        } catch (const std::system_error& error) {
            qCWarning(lcAudio) << "pas de fil de lecture :" << error.what();
            return false;
        }
        v.started_ = true;
    }
    v.state_.start();
    SDL_SemPost(v.wake_.get());
    return true;
}

void MixerChannel::release() {
    assertPlayerThread();
    if (state_.release() == Phase::PlayedOut)
        post();
    SDL_SemPost(wake_.get());
}

std::optional<std::chrono::steady_clock::time_point> MixerChannel::firstDelivery() const {
    const int64_t ticks = firstDeliveryTicks_.load(std::memory_order_relaxed);
    if (ticks == noDelivery)
        return std::nullopt;
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(ticks));
}

void MixerChannel::post() const {
    EndOfPlayReceiver::instance().post(player_);
}

void MixerChannel::fill() {
    for (;;) {
        const Phase phase = state_.phase();
        if (phase == Phase::Released)
            return;
        if (ChannelState::sounding(phase) && epoch_ != AudioOutput::epoch()) {
            const bool heard = ring_.consumed() > 0;
            if (state_.cutOff(heard) && (heard || noticeUnheard_))
                post();
        } else if (phase == Phase::Playing) {
            topUp();
        } else if (phase == Phase::PlayedOut && state_.takeNotice()) {
            post();
        }
        if (ChannelState::sounding(state_.phase()))
            SDL_SemWaitTimeout(wake_.get(), watchIntervalMs);
        else
            SDL_SemWait(wake_.get());
    }
}

void MixerChannel::topUp() {
    // A chunk at a time, so that the callback has each one as soon as it is decoded, and a
    // channel let go stops being read.
    while (ring_.writable() >= chunkFrames && state_.phase() == Phase::Playing) {
        ring_.write(chunkFrames,
                    [this](float* out, int frames) { return source_->read(out, frames); });
        primed_.store(true, std::memory_order_release);
        if (source_->finished()) {
            state_.drain();
            return;
        }
    }
}

void MixerChannel::mixInto(float* out, int frames) {
    const Phase phase = state_.phase();
    if (!ChannelState::sounding(phase) || !primed_.load(std::memory_order_acquire))
        return;
    if (ring_.mixInto(out, frames) > 0 &&
        firstDeliveryTicks_.load(std::memory_order_relaxed) == noDelivery)
        firstDeliveryTicks_.store(std::chrono::steady_clock::now().time_since_epoch().count(),
                                  std::memory_order_relaxed);
    // The ring is read after the phase: a channel seen drained has put its last frame in before.
    if (phase == Phase::Drained && ring_.readable() == 0) {
        if (state_.playOut())
            SDL_SemPost(wake_.get()); // the filler posts the notice
    } else if (phase == Phase::Playing && ring_.readable() < ring_.capacity() / 4 * 3) {
        // Woken with three quarters left, the filler has time to spare even on a busy machine.
        SDL_SemPost(wake_.get());
    }
}
