// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's random numbers (SplitMix64: every seed, even 0, gives a good sequence).
#include "sevens/SevensRandom.h"

namespace sevens {

namespace {
constexpr uint64_t golden = 0x9e3779b97f4a7c15ull;
constexpr uint64_t mix1 = 0xbf58476d1ce4e5b9ull;
constexpr uint64_t mix2 = 0x94d049bb133111ebull;
constexpr int shift1 = 30;
constexpr int shift2 = 27;
constexpr int shift3 = 31;
constexpr int highBits = 32;
} // namespace

uint64_t SevensRandom::next() {
    uint64_t z = (state_ += golden);
    z = (z ^ (z >> shift1)) * mix1;
    z = (z ^ (z >> shift2)) * mix2;
    return z ^ (z >> shift3);
}

int SevensRandom::below(int n) {
    // The high 32 bits scaled to n: no modulo bias worth speaking of for a deck of 49.
    const uint64_t high = next() >> highBits;
    return static_cast<int>((high * static_cast<uint64_t>(n)) >> highBits);
}

} // namespace sevens
