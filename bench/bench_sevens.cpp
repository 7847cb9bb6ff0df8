// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The seven families' rules at play: the time of a whole game between computer players, and the
// attentive player's share of wins over seeded games against an easy one.
#include "sevens/SevensGame.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

using namespace sevens;

constexpr int computerGames = 10000;
constexpr int comparedGames = 1000;

// A whole game: each computer player asks in turn until every family is laid down. Returns the
// winners.
std::vector<int> playOut(const Setup& setup) {
    SevensGame game(setup);
    while (game.phase() == Phase::ComputerAsks)
        game.playComputer();
    return game.winners();
}

// A game with state.range(0) players, all families, seats alternately easy and attentive, a new
// seed each game.
void computerOnlyGame(benchmark::State& state) {
    Setup setup;
    setup.seats.clear();
    for (int seat = 0; seat < state.range(0); ++seat)
        setup.seats.push_back(seat % 2 ? Seat::Easy : Seat::Attentive);
    uint64_t seed = 0;
    for (auto _ : state) {
        setup.seed = seed++;
        benchmark::DoNotOptimize(playOut(setup));
    }
}

// Attentive against easy, two players, all families, each seeded game's first player
// alternating. A shared win counts half.
void attentiveAgainstEasy(benchmark::State& state) {
    double attentiveWins = 0;
    int ties = 0;
    for (auto _ : state) {
        attentiveWins = 0;
        ties = 0;
        for (int game = 0; game < comparedGames; ++game) {
            Setup setup;
            setup.seed = uint64_t(game);
            const int attentive = game % 2;
            setup.seats = {Seat::Easy, Seat::Easy};
            setup.seats[size_t(attentive)] = Seat::Attentive;
            setup.firstPlayer = (game / 2) % 2;
            const auto winners = playOut(setup);
            ties += winners.size() > 1;
            for (int winner : winners)
                if (winner == attentive)
                    attentiveWins += 1.0 / double(winners.size());
        }
    }
    state.counters["attentive_share"] = attentiveWins / comparedGames;
    state.counters["ties"] = ties;
}

} // namespace

BENCHMARK(computerOnlyGame)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->Iterations(computerGames)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(attentiveAgainstEasy)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
