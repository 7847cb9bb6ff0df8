// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What a table allows, and the moves of cards between hands, pile and laid-down families.
#include "sevens/Table.h"

#include <algorithm>

namespace sevens {

Table Table::empty(int players, std::vector<int> families) {
    Table table;
    table.families = std::move(families);
    table.hands.resize(static_cast<size_t>(players));
    table.laidDown.resize(static_cast<size_t>(players));
    return table;
}

bool Table::holds(int player, Card card) const {
    const auto& hand = hands.at(static_cast<size_t>(player));
    return std::binary_search(hand.begin(), hand.end(), card);
}

bool Table::holdsFamily(int player, int family) const {
    const auto& hand = hands.at(static_cast<size_t>(player));
    return std::any_of(hand.begin(), hand.end(), [family](Card c) { return c.family == family; });
}

bool Table::inPlay(int family) const {
    return std::find(families.begin(), families.end(), family) != families.end();
}

int Table::familiesLeft() const {
    int laid = 0;
    for (const auto& families : laidDown)
        laid += static_cast<int>(families.size());
    return static_cast<int>(families.size()) - laid;
}

std::vector<Request> Table::legalRequests(int player) const {
    std::vector<Request> requests;
    for (int other = 0; other < players(); ++other) {
        if (other == player || hands[static_cast<size_t>(other)].empty())
            continue;
        for (int family : families) {
            if (!holdsFamily(player, family))
                continue;
            for (int slot = 1; slot <= cardsPerFamily; ++slot) {
                const Card card{family, slot};
                if (!holds(player, card))
                    requests.push_back({player, other, card});
            }
        }
    }
    return requests;
}

bool Table::isLegal(const Request& request) const {
    const auto valid = [this](int player) { return player >= 0 && player < players(); };
    return valid(request.asker) && valid(request.asked) && request.asker != request.asked &&
           !hands[static_cast<size_t>(request.asked)].empty() && inPlay(request.card.family) &&
           request.card.slot >= 1 && request.card.slot <= cardsPerFamily &&
           holdsFamily(request.asker, request.card.family) && !holds(request.asker, request.card);
}

bool Table::anotherHolds(int player) const {
    for (int other = 0; other < players(); ++other)
        if (other != player && !hands[static_cast<size_t>(other)].empty())
            return true;
    return false;
}

int Table::completeFamily(int player) const {
    const auto& hand = hands.at(static_cast<size_t>(player));
    for (int family : families) {
        const auto count = std::count_if(hand.begin(), hand.end(),
                                         [family](Card c) { return c.family == family; });
        if (count == cardsPerFamily)
            return family;
    }
    return nobody;
}

void Table::give(int player, Card card) {
    auto& hand = hands.at(static_cast<size_t>(player));
    hand.insert(std::upper_bound(hand.begin(), hand.end(), card), card);
}

void Table::remove(int player, Card card) {
    auto& hand = hands.at(static_cast<size_t>(player));
    const auto at = std::lower_bound(hand.begin(), hand.end(), card);
    if (at != hand.end() && *at == card)
        hand.erase(at);
}

Card Table::draw(int player) {
    const Card card = pile.back();
    pile.pop_back();
    give(player, card);
    return card;
}

void Table::layDown(int player, int family) {
    auto& hand = hands.at(static_cast<size_t>(player));
    std::erase_if(hand, [family](Card c) { return c.family == family; });
    laidDown.at(static_cast<size_t>(player)).push_back(family);
}

} // namespace sevens
