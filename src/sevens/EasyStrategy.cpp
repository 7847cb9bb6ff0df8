// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The easy computer player.
#include "sevens/EasyStrategy.h"

namespace sevens {

Request EasyStrategy::choose(const SeatView& view) {
    const auto requests = view.legalRequests();
    return requests.at(static_cast<size_t>(random_.below(static_cast<int>(requests.size()))));
}

} // namespace sevens
