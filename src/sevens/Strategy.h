// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A computer player's way of playing: it sees its seat's view and the events as that seat saw them.
#pragma once

#include "sevens/Event.h"
#include "sevens/SeatView.h"

namespace sevens {

class Strategy {
public:
    virtual ~Strategy() = default;
    // One of view.legalRequests(), which the game calls only when there is one.
    virtual Request choose(const SeatView& view) = 0;
    // Every event of the table, as the player at this seat saw it.
    virtual void observe(const Event& seen) { (void)seen; }
};

} // namespace sevens
