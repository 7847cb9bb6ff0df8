// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The attentive computer player: it remembers what each player asked for and was seen to hold or
// receive, and asks first the player known to hold a card.
#pragma once

#include "sevens/SevensRandom.h"
#include "sevens/Strategy.h"

#include <cstdint>
#include <vector>

namespace sevens {

class AttentiveStrategy : public Strategy {
public:
    explicit AttentiveStrategy(uint64_t seed) : random_(seed) {}
    Request choose(const SeatView& view) override;
    void observe(const Event& seen) override;

    // What this player remembers of another: cards seen in its hand, cards it was seen to lack,
    // and families it was seen to hold (one bit a card or a family).
    struct Memory {
        uint64_t holds = 0;
        uint64_t lacks = 0;
        uint32_t families = 0;
    };
    const Memory& memoryOf(int player);

private:
    int score(const SeatView& view, const Request& request);
    void forgetFamily(int family);

    SevensRandom random_;
    std::vector<Memory> memories_;
};

} // namespace sevens
