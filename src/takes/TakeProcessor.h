// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The work done on every take before it becomes a voice, recorded, imported or synthetic:
// cleaned, mono, trimmed to its speech with one set of margins, levelled by loudness.
#pragma once

#include "takes/Take.h"

namespace takeprocessor {

// The longest take accepted, recorded or imported.
constexpr double longestTakeSeconds = 60.0;
// Kept before the first and after the last sound of speech.
constexpr double leadMarginSeconds = 0.05;
constexpr double tailMarginSeconds = 0.10;
// Every voice, the default set's included, is levelled to this integrated loudness (EBU R128),
// unless its true peak would pass the ceiling, which leaves room for the MP3 encoder's overshoot.
constexpr double targetLoudnessLufs = -21.0;
constexpr double truePeakCeilingDbtp = -2.0;

struct Span {
    int64_t first = 0; // first frame kept
    int64_t end = 0;   // one past the last frame kept
};

// The channels averaged into one.
Take toMono(const Take& take);
// Samples no sound card gives are repaired: NaN and infinite ones silenced, those beyond full
// scale clipped to it. Returns how many were changed.
int64_t clean(Take& take);
// The DC offset and any slow drift of a mono take removed.
void removeOffset(Take& mono);
// The spoken part of a clean mono take with the margins. Throws SetRefused when the take
// holds no speech.
Span spokenPart(const Take& mono);
// Integrated loudness in LUFS (for a take shorter than one gating block, that of the take
// repeated); and the true peak in dBTP.
double loudness(const Take& mono);
double truePeak(const Take& mono);
// The samples scaled to the target loudness, or lower when the true peak would pass the ceiling.
void level(Take& mono);
// All of the above; throws SetRefused for an empty, overlong or speechless take.
// A take handed over (moved) is worked on in place, which keeps a long one's memory low.
Take prepare(Take take);

} // namespace takeprocessor
