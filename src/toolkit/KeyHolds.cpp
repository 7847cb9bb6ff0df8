// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// KeyHolds: keys down, from their press to their release.
#include "toolkit/KeyHolds.h"

#include <algorithm>

bool KeyHolds::press(int key, std::uint64_t time, bool flagged) {
    const auto held = down_.constFind(key);
    const QList<std::uint64_t>& releases = released_[key];
    const bool repeat = flagged ||
                        (held != down_.cend() && (time == 0 || time < *held + staleAfter)) ||
                        (time != 0 && releases.contains(time));
    // A flagged repeat of a key pressed before the program saw it is held all the same; a key
    // already let go since is not.
    if (time != 0 && std::any_of(releases.cbegin(), releases.cend(),
                                 [time](std::uint64_t later) { return later > time; }))
        down_.remove(key);
    else
        down_.insert(key, time);
    return !repeat;
}

bool KeyHolds::release(int key, std::uint64_t time, bool flagged) {
    if (flagged || (time != 0 && coming_.value(key).contains(time)))
        return false;
    if (time == 0) {
        down_.remove(key);
        return true;
    }
    if (const auto held = down_.constFind(key); held != down_.cend() && *held <= time)
        down_.remove(key);
    remember(released_[key], time);
    return true;
}

void KeyHolds::pressComing(int key, std::uint64_t time) {
    remember(coming_[key], time);
}

void KeyHolds::remember(QList<std::uint64_t>& times, std::uint64_t time) {
    if (!times.contains(time))
        times.append(time);
    times.removeIf([time](std::uint64_t earlier) { return earlier + staleAfter < time; });
}

void KeyHolds::keepOnly(const std::function<bool(int key)>& stillDown) {
    down_.removeIf([&stillDown](const auto& held) { return !stillDown(held.key()); });
}
