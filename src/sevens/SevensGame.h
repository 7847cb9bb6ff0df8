// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the seven families: a seeded deal, whose turn it is, requests, answers and events.
#pragma once

#include "sevens/Event.h"
#include "sevens/SeatView.h"
#include "sevens/Strategy.h"
#include "sevens/Table.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace sevens {

// Who sits at a seat: the child, or a computer player of one level.
enum class Seat { Child, Easy, Attentive };

struct Setup {
    std::vector<int> families{1, 2, 3, 4, 5, 6, 7}; // at least minFamilies, each once, 1 to 7
    std::vector<Seat> seats{Seat::Child, Seat::Easy, Seat::Easy}; // minPlayers to maxPlayers
    uint64_t seed = 0;
    int firstPlayer = 0;
    // Whether the game can be played with these families and seats.
    bool valid() const;
};

// What the game waits for.
enum class Phase {
    ChildAsks,    // the child at current() makes a request (ask)
    ComputerAsks, // the computer player at current() makes one (playComputer)
    ChildAnswers, // a computer asked the child: answer(), then resolve()
    Over,
};

// The child's answers to the computers' requests.
struct ChildScore {
    int requests = 0;      // requests made to the child
    int firstTry = 0;      // answered right at the first try
    int answeredRight = 0; // answered right at some try before the answer was shown
};

class SevensGame {
public:
    static constexpr int minFamilies = 3;
    static constexpr int minPlayers = 2;
    static constexpr int maxPlayers = 4;
    // Cards dealt to each player: 7 with 2 or 3 players, 5 with 4, and never more than half the
    // deck dealt in all.
    static int cardsDealtEach(int players, int families);

    // A new game, dealt from the setup's seed; the setup must be valid().
    explicit SevensGame(const Setup& setup);
    // A game from a position on the table, with current to play (tests, replays); the setup gives
    // the seats and the computers' seeds.
    SevensGame(const Setup& setup, Table table, int current);
    ~SevensGame();
    SevensGame(const SevensGame&) = delete;
    SevensGame& operator=(const SevensGame&) = delete;

    Phase phase() const { return phase_; }
    int current() const { return current_; }
    Seat seat(int player) const { return seats_.at(static_cast<size_t>(player)); }
    const Table& table() const { return table_; }
    SeatView viewFor(int player) const { return SeatView(table_, player); }
    // Every event since the deal, the laying down of families dealt complete included.
    const std::vector<Event>& log() const { return log_; }

    std::vector<Request> legalRequests() const { return table_.legalRequests(current_); }
    bool isLegal(const Request& request) const;
    // The current player's request; a request that is not legal now changes nothing and gives no
    // event. Returns what happened: the request, and its answer unless the child must give it.
    std::vector<Event> ask(const Request& request);
    // The current computer player's request, chosen by its strategy.
    std::vector<Event> playComputer();

    // While the child answers: the request, the right answer, whether an answer is right (it is
    // counted), and the truth applied whatever the child answered.
    const Request& pending() const { return pending_; }
    Answer rightAnswer() const;
    bool answer(const Answer& given);
    std::vector<Event> resolve();

    // The players who laid down the most families (more than one in a tie); empty before the end.
    std::vector<int> winners() const;
    const ChildScore& score() const { return score_; }

private:
    void start();
    void record(Event::Kind kind, int actor = nobody, int target = nobody, Card card = {},
                int family = nobody);
    void layDownComplete(int player);
    void advance(bool playsAgain);
    bool settleTurn();
    void passTurn();
    int next(int player) const { return (player + 1) % table_.players(); }

    std::vector<Seat> seats_;
    std::vector<std::unique_ptr<Strategy>> strategies_; // null at the child's seat
    Table table_;
    std::vector<bool> sittingOut_;
    std::vector<Event> log_;
    std::vector<Event> fresh_; // the events of the step being made
    Phase phase_ = Phase::Over;
    int current_ = 0;
    Request pending_;
    bool answeredYet_ = false;
    bool answeredRight_ = false;
    ChildScore score_;
};

} // namespace sevens
