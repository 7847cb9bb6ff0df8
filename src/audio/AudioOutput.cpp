// The process's SDL output device and the mixing of the voices that play on it.
#include "audio/AudioOutput.h"

#include "audio/AudioLog.h"
#include "audio/EndOfPlayReceiver.h"
#include "audio/PcmSource.h"

#include <algorithm>

std::shared_ptr<AudioOutput> AudioOutput::shared() {
    // Players hold the output too, so a player outliving this reference still finds it.
    static const std::shared_ptr<AudioOutput> output(new AudioOutput);
    return output;
}

AudioOutput::~AudioOutput() {
    if (device_ != 0)
        SDL_CloseAudioDevice(device_);
    if (audioInitialised_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioOutput::openDevice() {
    const std::lock_guard lock(deviceMutex_);
    if (deviceTried_)
        return device_ != 0;
    deviceTried_ = true;

    // SDL would otherwise take over SIGINT and SIGTERM, and Ctrl+C would no longer end us.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        qCInfo(lcAudio) << "pas de pilote audio :" << SDL_GetError();
        return false;
    }
    audioInitialised_ = true;
    {
        const std::lock_guard mixLock(mutex_);
        scratch_.assign(static_cast<size_t>(bufferFrames) * channels, 0.0f);
    }
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = channels;
    wanted.samples = bufferFrames;
    wanted.callback = &AudioOutput::fill;
    wanted.userdata = this;
    // No allowed changes: SDL converts for the hardware, the callback always sees this format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        qCInfo(lcAudio) << "pas de sortie audio :" << SDL_GetError();
        return false;
    }
    qCDebug(lcAudio) << "sortie audio ouverte avec le pilote" << SDL_GetCurrentAudioDriver();
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

bool AudioOutput::start(Voice& voice) {
    if (!openDevice())
        return false;
    const std::lock_guard lock(mutex_);
    if (!voice.playing) {
        voice.playing = true;
        voices_.push_back(&voice);
    }
    return true;
}

void AudioOutput::stop(Voice& voice) noexcept {
    const std::lock_guard lock(mutex_);
    voice.playing = false;
    std::erase(voices_, &voice);
}

void AudioOutput::fill(void* output, Uint8* stream, int length) {
    const int frames = length / static_cast<int>(sizeof(float) * channels);
    static_cast<AudioOutput*>(output)->mix(reinterpret_cast<float*>(stream), frames);
}

void AudioOutput::mix(float* out, int frames) {
    float* const end = out + static_cast<ptrdiff_t>(frames) * channels;
    std::fill(out, end, 0.0f);
    {
        const std::lock_guard lock(mutex_);
        for (Voice* voice : voices_)
            mixVoice(*voice, out, frames);
        std::erase_if(voices_, [](const Voice* voice) { return !voice->playing; });
    }
    std::transform(out, end, out, [](float sample) { return std::clamp(sample, -1.0f, 1.0f); });
}

void AudioOutput::mixVoice(Voice& voice, float* out, int frames) {
    int delivered = 0;
    while (delivered < frames) {
        const int wanted = std::min(frames - delivered, bufferFrames);
        const int got = voice.source->read(scratch_.data(), wanted);
        float* const target = out + static_cast<ptrdiff_t>(delivered) * channels;
        std::transform(scratch_.data(), scratch_.data() + got * channels, target, target,
                       [](float sample, float mixed) { return mixed + sample; });
        delivered += got;
        if (got < wanted)
            break;
    }
    if (delivered > 0) {
        if (voice.framesDelivered == 0)
            voice.firstDelivery = std::chrono::steady_clock::now();
        voice.framesDelivered += delivered;
    }
    if (voice.source->finished()) {
        voice.playing = false;
        if (voice.receiver)
            voice.receiver->post();
    }
}
