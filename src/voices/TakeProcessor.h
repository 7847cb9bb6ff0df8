// The work done on every take before it becomes a voice: mono, trimmed, levelled.
#pragma once

#include "voices/Take.h"

namespace takeprocessor {

// The longest take accepted, recorded or imported.
constexpr double longestTakeSeconds = 60.0;
// The default voices peak at half of full scale (-6 dBFS) before encoding.
constexpr float defaultSetPeak = 0.5f;

struct Span {
    int64_t first = 0; // first frame kept
    int64_t end = 0;   // one past the last frame kept
};

// The channels averaged into one.
Take toMono(const Take& take);
// The spoken part of a mono take with short margins, judged against the take's own noise floor.
// Throws VoiceRefused when the take holds no speech.
Span spokenPart(const Take& mono);
// The samples scaled so that the loudest reaches peak.
void level(Take& mono, float peak = defaultSetPeak);
// All of the above; throws VoiceRefused for an empty, overlong or speechless take.
Take prepare(const Take& take);

} // namespace takeprocessor
