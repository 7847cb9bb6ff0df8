// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Normalised autocorrelation over the lags of a voice's pitch; breath, coughs, rustles and steady
// noise do not repeat, vowels and voiced consonants do.
#include "takes/Voicing.h"

#include <algorithm>
#include <cmath>

namespace voicing {

namespace {

constexpr double lowestPitchHz = 60.0;
constexpr double highestPitchHz = 400.0;
constexpr double voicedCorrelation = 0.5;

} // namespace

int64_t step(int rate) {
    return std::max<int64_t>(1, std::llround(rate / rateHz));
}

size_t longestPeriod(double rate) {
    return size_t(rate / lowestPitchHz);
}

bool voiced(const float* x, size_t length, double rate) {
    const auto shortest = size_t(rate / highestPitchHz);
    double best = 0;
    for (size_t lag = shortest; lag <= longestPeriod(rate); ++lag) {
        double product = 0, here = 0, there = 0;
        for (size_t i = 0; i < length; ++i) {
            product += double(x[i]) * x[i + lag];
            here += double(x[i]) * x[i];
            there += double(x[i + lag]) * x[i + lag];
        }
        if (here > 0 && there > 0)
            best = std::max(best, product / std::sqrt(here * there));
    }
    return best >= voicedCorrelation;
}

} // namespace voicing
