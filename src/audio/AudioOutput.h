// The one SDL output device of the process and the mixer of the narrations playing on it.
#pragma once

#include <SDL.h>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class EndOfPlayReceiver;
class PcmSource;

// What the audio thread shares with one player. Every field is guarded by AudioOutput::mutex()
// while the voice is playing; once stop() has returned, only the player touches it.
struct Voice {
    PcmSource* source = nullptr;
    EndOfPlayReceiver* receiver = nullptr;
    bool playing = false;
    int64_t framesDelivered = 0; // output frames handed to the device since the open
    std::optional<std::chrono::steady_clock::time_point> firstDelivery;
};

// The device is opened at the first play and kept until the process ends: closing an SDL device
// waits for its buffers to drain. Every player plays on it; the voices of players that play at
// the same time are mixed (summed and clipped), so a second player never cuts the first off.
class AudioOutput {
public:
    static constexpr int rate = 44100;
    static constexpr int channels = 2;
    // 512 frames at 44.1 kHz is 11.6 ms between callbacks, the wait before a word is heard.
    static constexpr int bufferFrames = 512;

    // The process's output, shared by the players that hold it.
    static std::shared_ptr<AudioOutput> shared();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Adds the voice to the mix; false when no device could be opened (tried once only).
    bool start(Voice& voice);
    // Takes the voice out of the mix; on return the audio thread will not touch it again.
    void stop(Voice& voice) noexcept;
    std::mutex& mutex() { return mutex_; }

private:
    AudioOutput() = default;
    bool openDevice();
    static void fill(void* output, Uint8* stream, int length);
    void mix(float* out, int frames);
    void mixVoice(Voice& voice, float* out, int frames);

    std::mutex deviceMutex_; // orders the one attempt to open the device
    bool deviceTried_ = false;
    bool audioInitialised_ = false;
    SDL_AudioDeviceID device_ = 0;

    std::mutex mutex_; // everything below, and the voices, between players and the audio thread
    std::vector<Voice*> voices_;
    std::vector<float> scratch_;
};
