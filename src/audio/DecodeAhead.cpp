// The decoder thread of the output: reads and decodes ahead of the audio callback.
#include "audio/DecodeAhead.h"

#include "audio/AudioLog.h"
#include "audio/EndOfPlayReceiver.h"
#include "audio/MixerVoice.h"

#include <algorithm>

namespace {

// One read of a source: 46 ms of sound, so voices on one slow file leave the others their turn.
constexpr int chunkFrames = 2048;
// The thread also wakes this often to look after the output device: often while voices play,
// so a word on a lost device ends soon, and now and then while none do.
constexpr Uint32 busyHousekeepingMs = 50;
constexpr Uint32 idleHousekeepingMs = 500;

} // namespace

DecodeAhead::DecodeAhead(std::function<void()> housekeeping)
    : housekeeping_(std::move(housekeeping)), wakeup_(SDL_CreateSemaphore(0)) {
    if (!wakeup_)
        qCWarning(lcAudio) << "pas de sémaphore pour le décodage :" << SDL_GetError();
    else
        thread_ = std::thread(&DecodeAhead::run, this);
}

DecodeAhead::~DecodeAhead() {
    stop();
    if (wakeup_)
        SDL_DestroySemaphore(wakeup_);
}

void DecodeAhead::stop() noexcept {
    quit_.store(true);
    if (wakeup_)
        SDL_SemPost(wakeup_);
    if (thread_.joinable())
        thread_.join();
}

void DecodeAhead::add(std::shared_ptr<MixerVoice> voice) {
    {
        const std::lock_guard lock(listMutex_);
        if (std::find(voices_.begin(), voices_.end(), voice) == voices_.end())
            voices_.push_back(std::move(voice));
    }
    wake();
}

void DecodeAhead::remove(const MixerVoice& voice) noexcept {
    const std::lock_guard lock(listMutex_);
    std::erase_if(voices_, [&voice](const auto& listed) { return listed.get() == &voice; });
}

void DecodeAhead::endAll() noexcept {
    {
        const std::lock_guard lock(listMutex_);
        for (const auto& voice : voices_) {
            // Marked cut first, so whoever sees it ended also sees why.
            if (!voice->ended.load(std::memory_order_acquire)) {
                voice->cutOff.store(true);
                voice->ended.store(true, std::memory_order_release);
            }
        }
    }
    wake();
}

void DecodeAhead::wake() noexcept {
    if (wakeup_ && !wakePending_.exchange(true))
        SDL_SemPost(wakeup_);
}

void DecodeAhead::run() {
    std::vector<std::shared_ptr<MixerVoice>> working;
    while (!quit_.load()) {
        bool idle = false;
        {
            const std::lock_guard lock(listMutex_);
            idle = voices_.empty();
        }
        SDL_SemWaitTimeout(wakeup_, idle ? idleHousekeepingMs : busyHousekeepingMs);
        // Cleared before the work, so a wake during it brings one more pass.
        wakePending_.store(false);
        if (quit_.load())
            break;
        housekeeping_();
        {
            const std::lock_guard lock(listMutex_);
            working = voices_;
        }
        // A chunk for each voice in turn, until every ring is full or every source read.
        bool more = true;
        while (more && !quit_.load()) {
            more = false;
            for (const auto& voice : working)
                more = fillOnce(*voice) || more;
        }
        postNotices();
        // A voice closed meanwhile may go with this, on this thread rather than the player's.
        working.clear();
    }
}

bool DecodeAhead::fillOnce(MixerVoice& voice) {
    const std::lock_guard lock(voice.sourceMutex);
    if (!voice.decoding.load(std::memory_order_acquire) ||
        voice.sourceDone.load(std::memory_order_relaxed) || voice.ring.writable() < chunkFrames)
        return false;
    voice.ring.write(chunkFrames,
                     [&voice](float* out, int frames) { return voice.source->read(out, frames); });
    if (voice.source->finished()) {
        voice.sourceDone.store(true, std::memory_order_release);
        return false;
    }
    return voice.ring.writable() >= chunkFrames;
}

void DecodeAhead::postNotices() {
    const std::lock_guard lock(listMutex_);
    for (const auto& voice : voices_) {
        if (voice->ended.load(std::memory_order_acquire) && voice->noticeDue.exchange(false) &&
            voice->receiver)
            voice->receiver->post();
    }
    std::erase_if(voices_, [](const auto& voice) {
        return voice->ended.load(std::memory_order_acquire) && !voice->noticeDue.load();
    });
}
