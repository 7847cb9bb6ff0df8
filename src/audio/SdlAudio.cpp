// SDL audio start-up and float devices.
#include "audio/SdlAudio.h"

namespace sdlaudio {

bool start() {
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
    return SDL_OpenAudioDevice(nullptr, capture ? 1 : 0, &wanted, nullptr, 0);
}

} // namespace sdlaudio
