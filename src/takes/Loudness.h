// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// EBU R128 measures of a mono take through libebur128.
#pragma once

#include "takes/Take.h"

namespace loudness {

struct Measure {
    double integratedLufs; // -HUGE_VAL for silence
    double truePeak;       // linear, 1.0 at full scale
};

Measure measure(const Take& mono);

} // namespace loudness
