// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The table as one player sees it: its own hand, and of the others only what lies face up.
#pragma once

#include "sevens/Table.h"

#include <cstddef>

namespace sevens {

class SeatView {
public:
    SeatView(const Table& table, int seat) : table_(table), seat_(seat) {}

    int seat() const { return seat_; }
    int players() const { return table_.players(); }
    const std::vector<Card>& hand() const { return table_.hands.at(static_cast<size_t>(seat_)); }
    int handSize(int player) const {
        return static_cast<int>(table_.hands.at(static_cast<size_t>(player)).size());
    }
    int pileSize() const { return static_cast<int>(table_.pile.size()); }
    const std::vector<int>& families() const { return table_.families; }
    const std::vector<int>& laidDown(int player) const {
        return table_.laidDown.at(static_cast<size_t>(player));
    }
    std::vector<Request> legalRequests() const { return table_.legalRequests(seat_); }

private:
    const Table& table_;
    int seat_;
};

} // namespace sevens
