// Reading a take recorded elsewhere (WAV, FLAC, Ogg Vorbis, MP3) through libsndfile.
#pragma once

#include "voices/Take.h"

#include <QString>

namespace audioimport {

// The whole file as float samples. Throws VoiceRefused when the file cannot be read as sound or
// lasts longer than the longest take, before reading its samples.
Take read(const QString& path);

} // namespace audioimport
