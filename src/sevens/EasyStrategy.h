// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The easy computer player: it asks at random among its legal requests.
#pragma once

#include "sevens/SevensRandom.h"
#include "sevens/Strategy.h"

namespace sevens {

class EasyStrategy : public Strategy {
public:
    explicit EasyStrategy(uint64_t seed) : random_(seed) {}
    Request choose(const SeatView& view) override;

private:
    SevensRandom random_;
};

} // namespace sevens
