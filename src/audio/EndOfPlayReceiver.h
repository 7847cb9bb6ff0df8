// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver of the players' end-of-play notices, queued from any thread to the players' own.
#pragma once

#include <QHash>
#include <QObject>
#include <cstdint>
#include <functional>

// One for the process, made on the players' thread with the first player and kept to the end:
// a notice names its player by number, so a notice that comes after its player is gone finds
// nothing freed and is dropped.
class EndOfPlayReceiver : public QObject {
public:
    static EndOfPlayReceiver& instance();

    // Players' thread: a number for a new player, and forgetting it. onEnd, when given, is called
    // on the players' thread at each of its notices; it must not throw.
    uint64_t addPlayer(std::function<void()> onEnd = {});
    void removePlayer(uint64_t player);
    // Any thread.
    void post(uint64_t player);
    // Players' thread: the notices delivered so far.
    int received(uint64_t player) const { return players_.value(player).received; }

protected:
    bool event(QEvent* event) override;

private:
    struct Player {
        int received = 0;
        std::function<void()> onEnd;
    };
    QHash<uint64_t, Player> players_;
    uint64_t lastPlayer_ = 0;
};
