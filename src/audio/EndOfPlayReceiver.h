// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver of the players' end-of-play notices, queued from any thread to the players' own.
#pragma once

#include <QHash>
#include <QObject>
#include <cstdint>

// One for the process, made on the players' thread with the first player and kept to the end:
// a notice names its player by number, so a notice that comes after its player is gone finds
// nothing freed and is dropped.
class EndOfPlayReceiver : public QObject {
public:
    static EndOfPlayReceiver& instance();

    // Players' thread: a number for a new player, and forgetting it.
    uint64_t addPlayer();
    void removePlayer(uint64_t player);
    // Any thread.
    void post(uint64_t player);
    // Players' thread: the notices delivered so far.
    int received(uint64_t player) const { return received_.value(player); }

protected:
    bool event(QEvent* event) override;

private:
    QHash<uint64_t, int> received_;
    uint64_t lastPlayer_ = 0;
};
