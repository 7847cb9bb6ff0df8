// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Starting SDL's audio and opening its devices the way the program's output and the recorder's
// capture both need them.
#pragma once

#include <SDL.h>

namespace sdlaudio {

// The calls below hold one lock between them: SDL's audio start and its list of open devices
// are not safe from two threads at once, and the output opens its device on a thread of its own.

// Starts SDL's audio without its SIGINT and SIGTERM handlers, after which Ctrl+C would no longer
// end us. Each successful start is matched by one stop.
bool start();

// The default output or capture device in interleaved 32-bit floats of exactly this format (SDL
// converts whatever the hardware has), paused; 0 when there is none, and SDL_GetError says why.
SDL_AudioDeviceID openFloat(bool capture, int rate, int channels, int frames,
                            SDL_AudioCallback callback, void* userdata);

// Closes the device (0 for none) and matches one start.
void stop(SDL_AudioDeviceID device);

} // namespace sdlaudio
