// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where speech is in a take: energy in the voice band over tens of milliseconds, judged against
// the take's own noise floor, so that a click or a knock apart from the words is not speech.
#pragma once

#include "takes/Take.h"

namespace speechfinder {

struct Bounds {
    int64_t first = 0; // first frame of speech
    int64_t end = 0;   // one past its last frame
};

// The first and last sound of speech in a clean mono take, without margins. Throws
// SetRefused when the take holds none.
Bounds find(const Take& mono);

} // namespace speechfinder
