// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a stretch of sound is voiced: it repeats itself at a speaking pitch.
#pragma once

#include <cstddef>
#include <cstdint>

namespace voicing {

// Voicing is judged on sound brought down to about this rate.
constexpr double rateHz = 8000.0;
// Every step-th sample of sound at this rate is enough.
int64_t step(int rate);
// x holds the stretch's length samples at about rateHz followed by the longest pitch period's;
// true when one pitch period between 60 and 400 Hz makes it repeat closely.
bool voiced(const float* x, size_t length, double rate);
// The longest pitch period in samples at this rate: what voiced() reads after the stretch.
size_t longestPeriod(double rate);

} // namespace voicing
