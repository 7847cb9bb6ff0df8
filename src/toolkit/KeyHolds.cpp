// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// KeyHolds: keys down, from their press to their release.
#include "toolkit/KeyHolds.h"

bool KeyHolds::press(int key, std::uint64_t time, bool flagged) {
    const auto held = down_.constFind(key);
    const bool repeat = flagged ||
                        (held != down_.cend() && (time == 0 || time < *held + staleAfter)) ||
                        (time != 0 && released_.value(key) == time);
    // A flagged repeat of a key pressed before the program saw it is held all the same.
    down_.insert(key, time);
    return !repeat;
}

bool KeyHolds::release(int key, std::uint64_t time, bool flagged) {
    if (flagged)
        return false;
    down_.remove(key);
    if (time != 0)
        released_.insert(key, time);
    return true;
}
