// The shared state of a narration on the output, and the callback's share of its work.
#include "audio/MixerVoice.h"

#include "audio/AudioOutput.h"

MixerVoice::MixerVoice(std::unique_ptr<PcmSource> source, EndOfPlayReceiver* receiver)
    : source(std::move(source)), ring(ringFrames, AudioOutput::channels), receiver(receiver) {}

void MixerVoice::prefill() {
    ring.clear();
    ring.write(ring.capacity(),
               [this](float* out, int frames) { return source->readDecoded(out, frames); });
    sourceDone.store(source->finished(), std::memory_order_release);
}

bool MixerVoice::mixInto(float* out, int frames) {
    if (ended.load(std::memory_order_acquire))
        return false;
    const int got = ring.mixInto(out, frames);
    if (got > 0) {
        int64_t none = noDelivery;
        const int64_t now = std::chrono::steady_clock::now().time_since_epoch().count();
        firstDeliveryTicks_.compare_exchange_strong(none, now, std::memory_order_relaxed);
        framesDelivered_.fetch_add(got, std::memory_order_relaxed);
    }
    // Read after the ring: a source marked done has put its last frame in before.
    if (sourceDone.load(std::memory_order_acquire) && ring.readable() == 0) {
        ended.store(true, std::memory_order_release);
        return true; // the decoder thread posts the notice
    }
    // Woken with three quarters left, the decoder thread has time to spare even when the machine
    // is busy or the output runs faster than real time.
    return ring.readable() < ring.capacity() / 4 * 3 && !sourceDone.load(std::memory_order_relaxed);
}

std::optional<std::chrono::steady_clock::time_point> MixerVoice::firstDelivery() const {
    const int64_t ticks = firstDeliveryTicks_.load(std::memory_order_relaxed);
    if (ticks == noDelivery)
        return std::nullopt;
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(ticks));
}
