// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Sound as the recorder handles it: interleaved float samples at their own rate.
#pragma once

#include <cstdint>
#include <vector>

struct Take {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples; // interleaved, full scale 1.0

    int64_t frames() const { return channels > 0 ? int64_t(samples.size()) / channels : 0; }
    double seconds() const { return rate > 0 ? double(frames()) / rate : 0.0; }
};
