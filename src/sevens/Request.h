// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A request of the game (one player asks another for one card) and an answer to it.
#pragma once

#include "sevens/Card.h"

namespace sevens {

struct Request {
    int asker = nobody;
    int asked = nobody;
    Card card;
    auto operator<=>(const Request&) const = default;
};

// What the asked player does: hand the card over, or point at the pile ("not here, draw").
struct Answer {
    bool give = false;
    Card card; // the card handed over when give is true
    auto operator<=>(const Answer&) const = default;
};

} // namespace sevens
