// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A game of the seven families as the child plays it at the table: the rules' game, the child's
// request made in three picks (whom to ask, a family of the hand, the wanted card) and the child's
// answers to the computer players, with their tries.
#pragma once

#include "sevens/SevensGame.h"

#include <memory>
#include <vector>

class Partida {
public:
    // The child sits first; the computer players follow, numbered 1 to 3 as their names are.
    static constexpr int child = 0;
    // After this many wrong answers to one request the right one is shown.
    static constexpr int wrongTriesBeforeShown = 2;

    enum class Step {
        None,     // no game yet
        Opponent, // the child picks the player to ask
        Family,   // the child picks a card of the hand: its family
        Card,     // the child picks the wanted card among those the hand lacks
        Answer,   // a computer player asked the child: a card of the hand, or the pile
        Computer, // a computer player is to play
        Over,
    };

    // A new game; the setup's first seat is the child's.
    void start(const sevens::Setup& setup);
    bool started() const { return game_ != nullptr; }
    const sevens::SevensGame& game() const { return *game_; }
    Step step() const;

    // The legal choices of the step under way, in the order the screen shows them.
    std::vector<int> opponentChoices() const;
    std::vector<int> familyChoices() const;
    std::vector<sevens::Card> cardChoices() const;
    int chosenOpponent() const { return opponent_; }
    int chosenFamily() const { return family_; }

    // A pick that is not a legal choice now changes nothing and returns false. A player or a
    // family may be picked again while the request is not made.
    bool pickOpponent(int player);
    bool pickFamily(int family);
    // Makes the request; its events, none when the card is no legal choice.
    std::vector<sevens::Event> pickCard(sevens::Card card);

    struct Answered {
        bool right = false;
        std::vector<sevens::Event> events; // the request resolved, after a right answer
    };
    // A right answer resolves the request; a wrong one counts a try and the child answers again.
    Answered answer(const sevens::Answer& given);
    int wrongTries() const { return wrongTries_; }
    bool rightAnswerShown() const { return wrongTries_ >= wrongTriesBeforeShown; }

    std::vector<sevens::Event> playComputer();

private:
    void clearPicks();

    std::unique_ptr<sevens::SevensGame> game_;
    int opponent_ = sevens::nobody;
    int family_ = sevens::nobody;
    int wrongTries_ = 0;
};
