// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The table of a game: each player's hand, the pile, the families laid down, and what they allow.
#pragma once

#include "sevens/Card.h"
#include "sevens/Request.h"

#include <vector>

namespace sevens {

struct Table {
    std::vector<int> families;              // the families in play
    std::vector<std::vector<Card>> hands;   // each player's hand, in order of family and slot
    std::vector<Card> pile;                 // face down; the next card drawn is the last
    std::vector<std::vector<int>> laidDown; // the families each player laid down, in that order

    // An empty table for players players, with no card anywhere.
    static Table empty(int players, std::vector<int> families);

    int players() const { return static_cast<int>(hands.size()); }
    bool holds(int player, Card card) const;
    bool holdsFamily(int player, int family) const;
    bool inPlay(int family) const;
    int familiesLeft() const;
    // The requests player may make: to another player holding cards, for a card of a family in
    // play of which player holds some card, and which player lacks.
    std::vector<Request> legalRequests(int player) const;
    bool isLegal(const Request& request) const;
    // Whether some other player than player holds a card.
    bool anotherHolds(int player) const;
    // A family of which player holds every card, or nobody.
    int completeFamily(int player) const;

    void give(int player, Card card); // into the hand, keeping its order
    void remove(int player, Card card);
    Card draw(int player); // the pile's top card into player's hand
    void layDown(int player, int family);
};

} // namespace sevens
