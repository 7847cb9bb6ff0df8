// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Percentiles of the benchmarks' manual timings, reported as counters.
#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <string>
#include <vector>

// The value below which `fraction` of the samples lie (nearest rank).
inline double percentile(std::vector<double> values, double fraction) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(fraction * double(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

// `prefix` tells apart two series of one benchmark ("cpu_" for the thread's own time).
inline void reportPercentiles(benchmark::State& state, const std::vector<double>& micros,
                              const std::string& prefix = {}) {
    state.counters[prefix + "median_us"] = percentile(micros, 0.5);
    state.counters[prefix + "p99_us"] = percentile(micros, 0.99);
}
