// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// SDL audio start-up and float devices.
#include "audio/SdlAudio.h"

#include <mutex>

namespace sdlaudio {

namespace {

std::mutex& sdlMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

bool start() {
    const std::lock_guard lock(sdlMutex());
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

SDL_AudioDeviceID openFloat(bool capture, int rate, int channels, int frames,
                            SDL_AudioCallback callback, void* userdata) {
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = static_cast<Uint8>(channels);
    wanted.samples = static_cast<Uint16>(frames);
    wanted.callback = callback;
    wanted.userdata = userdata;
    const std::lock_guard lock(sdlMutex());
    return SDL_OpenAudioDevice(nullptr, capture ? 1 : 0, &wanted, nullptr, 0);
}

void stop(SDL_AudioDeviceID device) {
    const std::lock_guard lock(sdlMutex());
    if (device != 0)
        SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace sdlaudio
