// One open narration as the output sees it: its source, the ring its samples are decoded into
// ahead of time, and the state the player, the decoder thread and the audio callback share.
#pragma once

#include "audio/PcmSource.h"
#include "audio/SampleRing.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

class EndOfPlayReceiver;

class MixerVoice {
public:
    // 32768 frames, 0.74 s: once the decoder thread has run, a word survives stalls of it of
    // over half a second.
    static constexpr int ringFrames = 1 << 15;

    MixerVoice(std::unique_ptr<PcmSource> source, EndOfPlayReceiver* receiver);

    // Taken by whoever reads the source: the decoder thread, or the player while the voice is
    // neither decoded nor mixed. The audio callback never takes it.
    std::mutex sourceMutex;
    std::unique_ptr<PcmSource> source;
    SampleRing ring;
    // The player's; posted to only by the decoder thread, and only while the voice is on its list.
    EndOfPlayReceiver* const receiver;

    std::atomic<bool> decoding{false};   // the decoder thread may fill the ring
    std::atomic<bool> sourceDone{false}; // every sample of the source is in the ring
    std::atomic<bool> ended{true};       // not sounding: not started, played out or cut off
    std::atomic<bool> noticeDue{false};  // the end of this play is still to be posted
    std::atomic<bool> cutOff{false};     // ended before its last sample: replay from the start

    // Moves what the source has already decoded into the emptied ring, before the first
    // callback; the caller holds sourceMutex and nothing else uses the ring.
    void prefill();

    // Called by the audio callback: adds the ring's next frames to out. Returns true when the
    // ring runs low and the decoder thread should be woken.
    bool mixInto(float* out, int frames);

    int64_t framesDelivered() const { return framesDelivered_.load(std::memory_order_relaxed); }
    std::optional<std::chrono::steady_clock::time_point> firstDelivery() const;

private:
    std::atomic<int64_t> framesDelivered_{0}; // since the open, over every play
    std::atomic<int64_t> firstDeliveryTicks_{noDelivery};
    static constexpr int64_t noDelivery = INT64_MIN;
};
