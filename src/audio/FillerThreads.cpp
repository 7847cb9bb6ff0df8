// The filler threads of the narrations, kept waiting between narrations.
#include "audio/FillerThreads.h"

#include "audio/MixerVoice.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace fillerthreads {

namespace {

struct Pool {
    std::mutex mutex; // the rest
    std::condition_variable handed;
    std::deque<std::shared_ptr<MixerVoice>> voices; // handed, not yet taken
    size_t waiting = 0;                             // threads waiting for a voice
};

// Fills the voice, then each voice handed to it, for good. The threads hold the pool too, so the
// pool outlives the last of them, even at exit.
void work(const std::shared_ptr<Pool>& pool, std::shared_ptr<MixerVoice> voice) {
    for (;;) {
        voice->fill(); // until the player lets it go
        voice.reset(); // a voice let go is freed here, now
        std::unique_lock lock(pool->mutex);
        ++pool->waiting;
        pool->handed.wait(lock, [&pool] { return !pool->voices.empty(); });
        --pool->waiting;
        voice = std::move(pool->voices.front());
        pool->voices.pop_front();
    }
}

} // namespace

void hand(std::shared_ptr<MixerVoice> voice) {
    static const auto pool = std::make_shared<Pool>();
    {
        const std::lock_guard lock(pool->mutex);
        // A waiting thread for every voice not yet taken, and one more for this voice: wake it.
        if (pool->waiting > pool->voices.size()) {
            pool->voices.push_back(std::move(voice));
            pool->handed.notify_one();
            return;
        }
    }
    std::thread([pool = pool, voice = std::move(voice)]() mutable {
        work(pool, std::move(voice));
    }).detach();
}

} // namespace fillerthreads
