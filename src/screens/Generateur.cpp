// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The review's random generator.
#include "screens/Generateur.h"

#include <chrono>

namespace {
constexpr uint32_t multiplicateur = 0x08088405u; // 134775813
}

void Generateur::reseed() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    etat_ = static_cast<uint32_t>(static_cast<uint64_t>(ns));
}

int32_t Generateur::below(int32_t n) {
    etat_ = etat_ * multiplicateur + 1u; // unsigned arithmetic wraps modulo 2^32
    return static_cast<int32_t>((uint64_t{etat_} * static_cast<uint32_t>(n)) >> 32);
}
