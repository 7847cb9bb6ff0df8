// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The review's random numbers: a 32-bit linear congruential generator reseeded from the clock.
#pragma once

#include <cstdint>

class Generateur {
public:
    explicit Generateur(uint32_t etat = 0) : etat_(etat) {}

    // A fresh seed: the low 32 bits of the monotonic clock in nanoseconds.
    void reseed();
    void setEtat(uint32_t etat) { etat_ = etat; }
    uint32_t etat() const { return etat_; }

    // A number from 0 to n - 1 for n >= 1: the state steps, then its high bits scale to n.
    int32_t below(int32_t n);

private:
    uint32_t etat_;
};
