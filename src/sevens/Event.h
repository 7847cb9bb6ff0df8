// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What happens at the table, in the order it happens, as the screen tells it and players see it.
#pragma once

#include "sevens/Card.h"

namespace sevens {

struct Event {
    enum class Kind {
        Asked,          // actor asks target for card
        HandedOver,     // target hands card over to actor, who plays again
        NotHere,        // target has not got card: actor draws
        Drew,           // actor draws card from the pile (hidden from the others); the turn passes
        LuckyDraw,      // actor drew the very card asked for, shows it and plays again
        FamilyLaidDown, // actor lays family down
        EmptyHandDraw,  // actor's hand is empty at its turn: it draws card (hidden from the others)
        SitsOut,        // actor's hand and the pile are empty: it sits out until the end
        TurnTo,         // it is actor's turn
        GameOver,       // every family is laid down
    };
    Kind kind = Kind::TurnTo;
    int actor = nobody;
    int target = nobody;
    Card card;
    int family = nobody;
    auto operator<=>(const Event&) const = default;

    // The event as the player at seat sees it: someone else's draw shows no card.
    Event seenBy(int seat) const {
        Event seen = *this;
        if ((kind == Kind::Drew || kind == Kind::EmptyHandDraw) && actor != seat)
            seen.card = Card{};
        return seen;
    }
};

} // namespace sevens
