// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The transitions of a narration's phase on the output.
#include "audio/ChannelState.h"

#include <cassert>

void ChannelState::start() {
    assert(!sounding(phase()) && phase() != Phase::PlayedOut && phase() != Phase::Released);
    // Nobody else changes Ready, Over or Refused, so a plain store will do; release hands over
    // the rewound source and the prefilled ring.
    phase_.store(Phase::Playing, std::memory_order_release);
}

ChannelState::Phase ChannelState::release() {
    // Acquire: a PlayedOut left here comes with the filler's and the callback's last accesses.
    return phase_.exchange(Phase::Released, std::memory_order_acq_rel);
}

bool ChannelState::takeNotice() {
    return move(Phase::PlayedOut, Phase::Over);
}

bool ChannelState::drain() {
    return move(Phase::Playing, Phase::Drained);
}

bool ChannelState::cutOff(bool heard) {
    const Phase to = heard ? Phase::Over : Phase::Refused;
    return move(Phase::Playing, to) || move(Phase::Drained, to);
}

bool ChannelState::playOut() {
    return move(Phase::Drained, Phase::PlayedOut);
}

bool ChannelState::move(Phase from, Phase to) {
    // A compare-exchange, since the player may let go at any moment. Read-modify-writes keep
    // the release of every earlier transition in effect for whoever acquires a later phase.
    return phase_.compare_exchange_strong(from, to, std::memory_order_acq_rel,
                                          std::memory_order_acquire);
}
