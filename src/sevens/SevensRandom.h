// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's random numbers: a seeded generator that gives the same game on every platform.
#pragma once

#include <cstdint>

namespace sevens {

class SevensRandom {
public:
    explicit SevensRandom(uint64_t seed) : state_(seed) {}
    // A number from 0 to n - 1 for n >= 1.
    int below(int n);

private:
    uint64_t next();
    uint64_t state_;
};

} // namespace sevens
