// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The sentence player: several voices played as one narration, with a short pause between them.
#pragma once

#include "audio/PcmSource.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class MixerChannel;

class SentencePlayer {
public:
    // A pause a listener hears as the natural break between the words of one sentence.
    static constexpr std::chrono::milliseconds defaultPause{80};

    SentencePlayer();
    // Reads its parts through `openPart` instead of decoding the files itself.
    explicit SentencePlayer(PcmSourceFactory openPart);
    ~SentencePlayer(); // closes what plays
    SentencePlayer(const SentencePlayer&) = delete;
    SentencePlayer& operator=(const SentencePlayer&) = delete;

    // Called on the player's thread, from its event loop, when a sentence has been heard to its
    // end, or at once (queued) when it cannot be heard at all: no output, or no part that plays.
    // Never for a sentence closed before its end. It must not throw.
    void setOnFinished(std::function<void()> onFinished);
    // Closes what plays, then plays the parts (relative catalogue paths) back to back, `pause`
    // of silence between two, and returns at once. A part that cannot be opened is skipped and
    // logged. Never throws.
    void play(const QStringList& parts, std::chrono::milliseconds pause = defaultPause);
    // Stops the whole sentence before returning: no later sample of it reaches the output.
    void close() noexcept;

    // Read-only state for tests and tools.
    bool isPlaying() const;
    // The parts of the last play that opened and are played, in order.
    const QStringList& playedParts() const;
    bool lastPlayRefused() const;

private:
    friend class PlayerProbe;
    const MixerChannel* channel() const;
    uint64_t id() const;

    struct Impl;
    std::unique_ptr<Impl> d;
};
