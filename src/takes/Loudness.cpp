// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// libebur128's gating needs 400 ms blocks: a shorter take is measured repeated up to one block,
// which leaves its loudness as it is.
#include "takes/Loudness.h"

#include "base/Errors.h"

#include <QString>
#include <cmath>
#include <ebur128.h>
#include <memory>

namespace loudness {

namespace {

constexpr double gatingBlockSeconds = 0.4;

struct StateDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

} // namespace

Measure measure(const Take& mono) {
    if (mono.channels != 1 || mono.rate <= 0 || mono.samples.empty())
        return {-HUGE_VAL, 0.0};
    std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(1, unsigned(mono.rate), EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK));
    if (!state)
        throw SetRefused(QStringLiteral("Mesura de fòrça impossibla"));
    const auto blockFrames = int64_t(std::ceil(gatingBlockSeconds * mono.rate));
    int64_t fed = 0;
    do {
        ebur128_add_frames_float(state.get(), mono.samples.data(), mono.samples.size());
        fed += mono.frames();
    } while (fed < blockFrames);
    Measure result{-HUGE_VAL, 0.0};
    ebur128_loudness_global(state.get(), &result.integratedLufs);
    ebur128_true_peak(state.get(), 0, &result.truePeak);
    return result;
}

} // namespace loudness
