// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rule of one press, one act: which keys are down, and whether a press is new.
#pragma once

#include <QHash>
#include <cstdint>

class KeyHolds {
public:
    // A key seen down this long (milliseconds) after its press or last repeat was released out
    // of the program's sight: its next press is new. X repeats a held key every 40 ms or so
    // after a first delay of under a second.
    static constexpr std::uint64_t staleAfter = 2000;

    // Whether a press acts: only that of a key not already down does. `flagged`: the platform
    // says it repeats. X says so only while one window keeps the keyboard, and not always then:
    // it repeats a held key as a release and a press of the same time, so a press of the time
    // of the key's last release is a repeat too. `time` in milliseconds, 0 when unknown.
    bool press(int key, std::uint64_t time, bool flagged);
    // Whether a release goes on: any but a flagged repeat's.
    bool release(int key, std::uint64_t time, bool flagged);

private:
    QHash<int, std::uint64_t> down_;     // each key down, with the time of its press or repeat
    QHash<int, std::uint64_t> released_; // each key's last release with a time
};
