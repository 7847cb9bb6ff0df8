// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rule of one press, one act: which keys are down, and whether a press is new.
#pragma once

#include <QHash>
#include <QList>
#include <cstdint>
#include <functional>

class KeyHolds {
public:
    // A key seen down this long (milliseconds) after its press or last repeat was released out
    // of the program's sight: its next press is new. X repeats a held key every 40 ms or so
    // after a first delay of under a second.
    static constexpr std::uint64_t staleAfter = 2000;

    // Whether a press acts: only that of a key not already down does. `flagged`: the platform
    // says it repeats. X says so only while one window keeps the keyboard, and not always then:
    // it repeats a held key as a release and a press of the same time, so a press of the time
    // of one of the key's releases is a repeat too. `time` in milliseconds, 0 when unknown.
    bool press(int key, std::uint64_t time, bool flagged);
    // Whether a release goes on: any but a repeat's, flagged or followed by a press of its time.
    // Releases may be told ahead of the presses before them: X's own are read before Qt
    // delivers the keys it has queued.
    bool release(int key, std::uint64_t time, bool flagged);
    // A press the platform has sent, told ahead of its delivery.
    void pressComing(int key, std::uint64_t time);
    // Forgets the keys down that are down no more: a release can go where the program never
    // sees it (to the window a press just closed, to another program).
    void keepOnly(const std::function<bool(int key)>& stillDown);

private:
    // Adds a time to a key's recent ones, forgetting those long past.
    static void remember(QList<std::uint64_t>& times, std::uint64_t time);

    QHash<int, std::uint64_t> down_;            // each key down: the time of its press or repeat
    QHash<int, QList<std::uint64_t>> released_; // each key's releases of the last moments
    QHash<int, QList<std::uint64_t>> coming_;   // each key's presses of the last moments
};
