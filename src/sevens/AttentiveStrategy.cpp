// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The attentive computer player's memory and choice.
#include "sevens/AttentiveStrategy.h"

#include <algorithm>

namespace sevens {

namespace {

uint64_t bit(Card card) {
    return uint64_t{1} << ((card.family - 1) * cardsPerFamily + card.slot - 1);
}
uint32_t familyBit(int family) {
    return uint32_t{1} << (family - 1);
}

// A request's worth: what is known of the asked player's holding the card comes first; then the
// asker's own count of the family (the family nearest to being laid down); then whether the asked
// player was seen to hold the family.
constexpr int knownToHold = 2;
constexpr int nothingKnown = 1;
constexpr int knownToLack = 0;
constexpr int weightOfKnowledge = 64;
constexpr int weightOfOwnCount = 2;

} // namespace

const AttentiveStrategy::Memory& AttentiveStrategy::memoryOf(int player) {
    if (static_cast<size_t>(player) >= memories_.size())
        memories_.resize(static_cast<size_t>(player) + 1);
    return memories_[static_cast<size_t>(player)];
}

void AttentiveStrategy::observe(const Event& seen) {
    if (seen.actor == nobody)
        return;
    memoryOf(std::max(seen.actor, seen.target));
    auto& actor = memories_[static_cast<size_t>(seen.actor)];
    switch (seen.kind) {
    case Event::Kind::Asked: // the asker holds the family and lacks the card
        actor.families |= familyBit(seen.card.family);
        actor.lacks |= bit(seen.card);
        actor.holds &= ~bit(seen.card);
        break;
    case Event::Kind::HandedOver: {
        auto& giver = memories_[static_cast<size_t>(seen.target)];
        giver.holds &= ~bit(seen.card);
        giver.lacks |= bit(seen.card);
        actor.holds |= bit(seen.card);
        actor.lacks &= ~bit(seen.card);
        break;
    }
    case Event::Kind::NotHere:
        memories_[static_cast<size_t>(seen.target)].lacks |= bit(seen.card);
        break;
    case Event::Kind::LuckyDraw:
        actor.holds |= bit(seen.card);
        actor.lacks &= ~bit(seen.card);
        break;
    case Event::Kind::FamilyLaidDown:
        forgetFamily(seen.family);
        break;
    default:
        break;
    }
}

void AttentiveStrategy::forgetFamily(int family) {
    uint64_t cards = 0;
    for (int slot = 1; slot <= cardsPerFamily; ++slot)
        cards |= bit(Card{family, slot});
    for (auto& memory : memories_) {
        memory.holds &= ~cards;
        memory.lacks &= ~cards;
        memory.families &= ~familyBit(family);
    }
}

int AttentiveStrategy::score(const SeatView& view, const Request& request) {
    const Memory& asked = memoryOf(request.asked);
    int knowledge = nothingKnown;
    if (asked.holds & bit(request.card))
        knowledge = knownToHold;
    else if (asked.lacks & bit(request.card))
        knowledge = knownToLack;
    const auto& hand = view.hand();
    const auto own = std::count_if(hand.begin(), hand.end(),
                                   [&](Card c) { return c.family == request.card.family; });
    const bool family = asked.families & familyBit(request.card.family);
    return knowledge * weightOfKnowledge + static_cast<int>(own) * weightOfOwnCount +
           (family ? 1 : 0);
}

Request AttentiveStrategy::choose(const SeatView& view) {
    const auto requests = view.legalRequests();
    std::vector<int> scores;
    scores.reserve(requests.size());
    for (const auto& request : requests)
        scores.push_back(score(view, request));
    const int best = *std::max_element(scores.begin(), scores.end());
    std::vector<size_t> bestOnes;
    for (size_t i = 0; i < requests.size(); ++i)
        if (scores[i] == best)
            bestOnes.push_back(i);
    return requests[bestOnes[static_cast<size_t>(
        random_.below(static_cast<int>(bestOnes.size())))]];
}

} // namespace sevens
