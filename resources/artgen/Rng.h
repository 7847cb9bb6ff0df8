// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A small seeded random generator whose sequence is the same on every machine and compiler.
#pragma once

#include <cstdint>

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    // SplitMix64: std's distributions are implementation-defined, so the artwork draws its own.
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [low, high).
    double uniform(double low, double high) {
        constexpr double unit = 1.0 / static_cast<double>(1ULL << 53);
        return low + (high - low) * static_cast<double>(next() >> 11) * unit;
    }

    // Uniform integer in [low, high].
    int between(int low, int high) {
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};
