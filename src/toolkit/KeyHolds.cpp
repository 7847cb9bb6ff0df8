// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// KeyHolds: keys down, from their press to their release.
#include "toolkit/KeyHolds.h"

#include <algorithm>

bool KeyHolds::press(int key, std::uint64_t time, bool flagged) {
    bool repeat = flagged;
    if (Sent* sent = time != 0 ? unjudged(key, true, time) : nullptr) {
        sent->judged = true;
        repeat = sent->repeat;
    } else if (const auto held = down_.constFind(key); held != down_.cend()) {
        // Known only from the keys delivered: down and not let go for a while.
        repeat = repeat || time == 0 || time < *held + staleAfter;
    }
    // A key the platform has let go since stays up, whatever is still to be delivered.
    const QList<Sent> sent = sent_.value(key);
    if (time != 0 && std::any_of(sent.cbegin(), sent.cend(), [time](const Sent& later) {
            return !later.press && later.time > time;
        }))
        down_.remove(key);
    else
        down_.insert(key, time);
    return !repeat;
}

bool KeyHolds::release(int key, std::uint64_t time, bool flagged) {
    bool repeat = flagged;
    if (Sent* sent = time != 0 ? unjudged(key, false, time) : nullptr) {
        sent->judged = true;
        // A release read before the press that follows it is a repeat's only if the platform
        // says so.
        repeat = repeat || sent->repeat;
    }
    if (!repeat)
        down_.remove(key);
    return !repeat;
}

void KeyHolds::platformPress(int key, std::uint64_t time) {
    QList<Sent>& sent = sent_[key];
    const bool repeat = !sent.isEmpty() && !sent.back().press && sent.back().time == time;
    if (repeat)
        sent.back().repeat = true;
    send(key, {true, time, repeat, false});
}

void KeyHolds::platformRelease(int key, std::uint64_t time) {
    // A release a window behind a modal one never gets still lets the key go.
    if (const auto held = down_.constFind(key); held != down_.cend() && *held <= time)
        down_.remove(key);
    send(key, {false, time, false, false});
}

void KeyHolds::send(int key, Sent event) {
    QList<Sent>& sent = sent_[key];
    sent.removeIf([&event](const Sent& earlier) { return earlier.time + staleAfter < event.time; });
    sent.append(event);
}

KeyHolds::Sent* KeyHolds::unjudged(int key, bool press, std::uint64_t time) {
    const auto found = sent_.find(key);
    if (found == sent_.end())
        return nullptr;
    for (Sent& sent : *found)
        if (!sent.judged && sent.press == press && sent.time == time)
            return &sent;
    return nullptr;
}

void KeyHolds::keepOnly(const std::function<bool(int key)>& stillDown) {
    down_.removeIf([&stillDown](const auto& held) { return !stillDown(held.key()); });
}
