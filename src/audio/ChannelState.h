// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The phase of one narration on the output: whether it sounds, which thread holds its source
// and ring, and whether its end-of-play notice is still to be posted; one atomic, changed only
// through the transitions below, each made by the thread it names.
#pragma once

#include <atomic>
#include <cstdint>

// Three threads share a channel: the player's (the user-interface thread), the channel's filler
// (which reads its file into the ring) and SDL's audio callback. Whoever moves the channel out of a
// phase hands on what that phase gave it, so every transition that hands something on is a release
// and every reader of the phase acquires:
// - Ready, Over, Refused: the player's thread owns the source and both ends of the ring.
// - Playing: the filler owns the source and the ring's writing end; the callback reads the ring.
// - Drained: the filler has let the source go for good; the callback reads the rest of the ring.
// - PlayedOut: nobody touches the source or ring until the notice is taken.
// Only the filler and the callback move a channel out of Playing and Drained, so the player never
// waits for a read of the file: it lets the channel go (Released) and the filler frees it later.
class ChannelState {
public:
    enum class Phase : uint8_t {
        Ready,     // opened, or stopped before a new start
        Playing,   // sounding; the filler still reads the file
        Drained,   // sounding; every sample is in the ring
        PlayedOut, // the last sample went out; the notice is due
        Over,      // ended, notice posted: played out, or cut off by a lost device
        Refused,   // its device never opened, or was lost before any sample: silent, no notice
        Released,  // the player let go: the filler ends and frees the channel
    };

    // Any thread.
    Phase phase() const { return phase_.load(std::memory_order_acquire); }
    static bool sounding(Phase phase) { return phase == Phase::Playing || phase == Phase::Drained; }

    // Player's thread: Ready, Over or Refused -> Playing, once it has prepared the source and
    // ring, which the store hands to the filler and the callback.
    void start();
    // Player's thread: any -> Released. Returns the phase left; PlayedOut leaves the notice to
    // the caller.
    Phase release();
    // Player's or filler thread: PlayedOut -> Over. True for the one caller that must now post
    // the notice.
    bool takeNotice();

    // Filler thread: Playing -> Drained, after the last write to the ring. False when the player
    // let go meanwhile.
    bool drain();
    // Filler thread: Playing or Drained -> Over (some of it was heard: the caller posts the
    // notice) or Refused (nothing was). False when the channel had already left those phases.
    bool cutOff(bool heard);

    // Audio callback: Drained -> PlayedOut, once the ring is empty.
    bool playOut();

private:
    bool move(Phase from, Phase to);

    std::atomic<Phase> phase_{Phase::Ready};
};
