// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A card of the seven families: its family and its place in the family, both counted from 1.
#pragma once

#include <compare>

namespace sevens {

constexpr int familyCount = 7;
constexpr int cardsPerFamily = 7;
// A player, a family or a card that is not there (an event with no card, a hidden draw).
constexpr int nobody = -1;

struct Card {
    int family = nobody; // 1 to familyCount, as the catalogue numbers families
    int slot = nobody;   // 1 to cardsPerFamily
    auto operator<=>(const Card&) const = default;
    bool valid() const { return family >= 1 && slot >= 1; }
};

} // namespace sevens
