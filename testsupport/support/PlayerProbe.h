// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What tests and benchmarks read of a narration player beyond its interface: frames delivered,
// the first delivery's time and the end-of-play notices received.
#pragma once

#include "audio/EndOfPlayReceiver.h"
#include "audio/MediaPlayerMP3.h"
#include "audio/MixerChannel.h"
#include "audio/SentencePlayer.h"

#include <chrono>
#include <cstdint>
#include <optional>

class PlayerProbe {
public:
    // Sample frames of the open narration handed to the output, over every play; 0 when none.
    static int64_t framesDelivered(const MediaPlayerMP3& player) {
        const MixerChannel* channel = player.channel();
        return channel ? channel->framesDelivered() : 0;
    }
    // When the first frames of the open narration were handed to the output.
    static std::optional<std::chrono::steady_clock::time_point>
    firstDeliveryTime(const MediaPlayerMP3& player) {
        const MixerChannel* channel = player.channel();
        return channel ? channel->firstDelivery() : std::nullopt;
    }
    static int64_t framesDelivered(const SentencePlayer& player) {
        const MixerChannel* channel = player.channel();
        return channel ? channel->framesDelivered() : 0;
    }
    static std::optional<std::chrono::steady_clock::time_point>
    firstDeliveryTime(const SentencePlayer& player) {
        const MixerChannel* channel = player.channel();
        return channel ? channel->firstDelivery() : std::nullopt;
    }
    // Notices delivered to the player's thread so far.
    static int endOfPlayNotices(const MediaPlayerMP3& player) {
        return EndOfPlayReceiver::instance().received(player.id());
    }
};
