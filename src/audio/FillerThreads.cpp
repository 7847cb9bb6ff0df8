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

// The threads hold the pool too, so the pool outlives the last of them even at exit.
void run(const std::shared_ptr<Pool>& pool) {
    for (;;) {
        std::shared_ptr<MixerVoice> voice;
        {
            std::unique_lock lock(pool->mutex);
            ++pool->waiting;
            pool->handed.wait(lock, [&pool] { return !pool->voices.empty(); });
            --pool->waiting;
            voice = std::move(pool->voices.front());
            pool->voices.pop_front();
        }
        voice->fill(); // until the player lets it go
    }
}

} // namespace

void hand(std::shared_ptr<MixerVoice> voice) {
    static const auto pool = std::make_shared<Pool>();
    {
        const std::lock_guard lock(pool->mutex);
        pool->voices.push_back(std::move(voice));
        // Every voice not yet taken has a waiting thread of its own: wake one.
        if (pool->waiting >= pool->voices.size()) {
            pool->handed.notify_one();
            return;
        }
    }
    std::thread([p = pool] { run(p); }).detach();
}

} // namespace fillerthreads
