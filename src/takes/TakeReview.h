// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What a teacher needs to see of a take: its waveform, the part kept as the voice, its loudness
// and whether it clipped or was too quiet.
#pragma once

#include "takes/Take.h"

#include <optional>
#include <vector>

struct TakeReview {
    // A sample this close to full scale was clipped by the sound card.
    static constexpr float clipLevel = 0.999f;
    // Quieter speech than this is mostly the room's noise once levelled.
    static constexpr double quietestLufs = -42.0;
    // As many slices as the workshop's view of a take has room for at most.
    static constexpr int viewSlices = 400;

    std::vector<float> columns; // the loudest sample of each slice of the take, 0 to 1
    // The kept part, as fractions of the take's length; none when no speech was found.
    std::optional<std::pair<double, double>> kept;
    double loudnessLufs = 0; // of the kept part, before levelling
    bool clipped = false;
    bool tooQuiet = false;

    // The take as captured (any channels), in this many slices.
    static TakeReview of(const Take& take, int sliceCount);
};
