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
    // says it repeats. `time` in milliseconds, 0 when unknown. A press the platform told of
    // first (platformPress) is judged by what came just before it there.
    bool press(int key, std::uint64_t time, bool flagged);
    // Whether a release goes on: any but a repeat's, flagged or followed by a press of its time.
    bool release(int key, std::uint64_t time, bool flagged);

    // The platform's own key events, in the order it sent them and before they are delivered.
    // X repeats a held key as a release and a press of the same time: a press right after a
    // release of its time makes both a repeat's. Order alone tells them from a quick tap,
    // whose press and release may fall within the same millisecond.
    void platformPress(int key, std::uint64_t time);
    void platformRelease(int key, std::uint64_t time);

    // Forgets the keys down that are down no more: a release can go where the program never
    // sees it (to the window a press just closed, to another program).
    void keepOnly(const std::function<bool(int key)>& stillDown);

private:
    // A key event the platform sent: whether it belongs to a repeat, and whether its delivery
    // has been judged yet (the windows behind a modal one are never delivered theirs).
    struct Sent {
        bool press;
        std::uint64_t time;
        bool repeat;
        bool judged;
    };
    // The first event of this kind and time not judged yet, if the platform sent one.
    Sent* unjudged(int key, bool press, std::uint64_t time);
    void send(int key, Sent event);

    QHash<int, std::uint64_t> down_; // each key down: the time of its press or repeat
    QHash<int, QList<Sent>> sent_;   // each key's events from the platform, of late
};
