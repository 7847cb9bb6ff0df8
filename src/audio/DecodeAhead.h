// The decoder thread: keeps the rings of the playing narrations filled ahead of the audio
// callback, and posts their end-of-play notices, so the callback never reads a file or waits.
#pragma once

#include <SDL.h>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class MixerVoice;

class DecodeAhead {
public:
    // `housekeeping` runs on the thread before every pass over the voices, and at least every
    // half second.
    explicit DecodeAhead(std::function<void()> housekeeping);
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // Stops and joins the thread; the voices are left alone.
    void stop() noexcept;
    // Starts filling the voice's ring; its end-of-play notice is posted once it has ended.
    void add(std::shared_ptr<MixerVoice> voice);
    // Once this returns, no notice is posted for the voice; a fill in progress may still end.
    void remove(const MixerVoice& voice) noexcept;
    // Marks every voice on the list ended, as when the output it played on is gone.
    void endAll() noexcept;
    // Safe from the audio callback: no lock, no allocation, nothing that waits.
    void wake() noexcept;

private:
    void run();
    bool fillOnce(MixerVoice& voice);
    void postNotices();

    std::function<void()> housekeeping_;
    std::mutex listMutex_; // voices_; never held while a source is read
    std::vector<std::shared_ptr<MixerVoice>> voices_;
    SDL_sem* wakeup_ = nullptr;
    std::atomic<bool> wakePending_{false};
    std::atomic<bool> quit_{false};
    std::thread thread_;
};
