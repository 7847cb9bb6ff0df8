// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The filler threads of the narrations, kept waiting between narrations.
#include "audio/FillerThreads.h"

#include "audio/MixerChannel.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace fillerthreads {

namespace {

struct Pool {
    std::mutex mutex; // the rest
    std::condition_variable handed;
    std::deque<std::shared_ptr<MixerChannel>> channels; // handed, not yet taken
    size_t waiting = 0;                                 // threads waiting for a channel
};

// Fills the channel, then each channel handed to it, for good. The threads hold the pool too, so
// the pool outlives the last of them, even at exit.
void work(const std::shared_ptr<Pool>& pool, std::shared_ptr<MixerChannel> channel) {
    for (;;) {
        channel->fill(); // until the player lets it go
        channel.reset(); // a channel let go is freed here, now
        std::unique_lock lock(pool->mutex);
        ++pool->waiting;
        pool->handed.wait(lock, [&pool] { return !pool->channels.empty(); });
        --pool->waiting;
        channel = std::move(pool->channels.front());
        pool->channels.pop_front();
    }
}

} // namespace

void hand(std::shared_ptr<MixerChannel> channel) {
    static const auto pool = std::make_shared<Pool>();
    {
        const std::lock_guard lock(pool->mutex);
        // A waiting thread for every channel not yet taken, and one more for this channel: wake it.
        if (pool->waiting > pool->channels.size()) {
            pool->channels.push_back(std::move(channel));
            pool->handed.notify_one();
            return;
        }
    }
    std::thread([pool = pool, channel = std::move(channel)]() mutable {
        work(pool, std::move(channel));
    }).detach();
}

} // namespace fillerthreads
