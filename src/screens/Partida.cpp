// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The child's picks checked against the rules' legal requests.
#include "screens/Partida.h"

#include <algorithm>

using sevens::Card;
using sevens::Event;
using sevens::Phase;
using sevens::Request;

void Partida::start(const sevens::Setup& setup) {
    game_ = std::make_unique<sevens::SevensGame>(setup);
    clearPicks();
    wrongTries_ = 0;
}

void Partida::clearPicks() {
    opponent_ = sevens::nobody;
    family_ = sevens::nobody;
    // With only one player to ask, the first pick is made for the child.
    if (game_ && game_->phase() == Phase::ChildAsks) {
        const std::vector<int> opponents = opponentChoices();
        if (opponents.size() == 1)
            opponent_ = opponents.front();
    }
}

Partida::Step Partida::step() const {
    if (!game_)
        return Step::None;
    switch (game_->phase()) {
    case Phase::Over:
        return Step::Over;
    case Phase::ChildAnswers:
        return Step::Answer;
    case Phase::ComputerAsks:
        return Step::Computer;
    case Phase::ChildAsks:
        break;
    }
    if (opponent_ == sevens::nobody)
        return Step::Opponent;
    return family_ == sevens::nobody ? Step::Family : Step::Card;
}

std::vector<int> Partida::opponentChoices() const {
    std::vector<int> players;
    if (!game_ || game_->phase() != Phase::ChildAsks)
        return players;
    for (const Request& request : game_->legalRequests())
        if (std::find(players.begin(), players.end(), request.asked) == players.end())
            players.push_back(request.asked);
    std::sort(players.begin(), players.end());
    return players;
}

std::vector<int> Partida::familyChoices() const {
    std::vector<int> families;
    if (!game_ || game_->phase() != Phase::ChildAsks || opponent_ == sevens::nobody)
        return families;
    for (const Request& request : game_->legalRequests())
        if (request.asked == opponent_ &&
            std::find(families.begin(), families.end(), request.card.family) == families.end())
            families.push_back(request.card.family);
    std::sort(families.begin(), families.end());
    return families;
}

std::vector<Card> Partida::cardChoices() const {
    std::vector<Card> cards;
    if (!game_ || step() != Step::Card)
        return cards;
    for (const Request& request : game_->legalRequests())
        if (request.asked == opponent_ && request.card.family == family_)
            cards.push_back(request.card);
    std::sort(cards.begin(), cards.end());
    return cards;
}

bool Partida::pickOpponent(int player) {
    const std::vector<int> choices = opponentChoices();
    if (std::find(choices.begin(), choices.end(), player) == choices.end())
        return false;
    opponent_ = player;
    family_ = sevens::nobody;
    return true;
}

bool Partida::pickFamily(int family) {
    const std::vector<int> choices = familyChoices();
    if (std::find(choices.begin(), choices.end(), family) == choices.end())
        return false;
    family_ = family;
    return true;
}

std::vector<Event> Partida::pickCard(Card card) {
    const std::vector<Card> choices = cardChoices();
    if (std::find(choices.begin(), choices.end(), card) == choices.end())
        return {};
    std::vector<Event> events = game_->ask({child, opponent_, card});
    clearPicks();
    return events;
}

Partida::Answered Partida::answer(const sevens::Answer& given) {
    Answered answered;
    if (step() != Step::Answer)
        return answered;
    answered.right = game_->answer(given);
    if (!answered.right) {
        ++wrongTries_;
        return answered;
    }
    wrongTries_ = 0;
    answered.events = game_->resolve();
    clearPicks();
    return answered;
}

std::vector<Event> Partida::playComputer() {
    if (step() != Step::Computer)
        return {};
    std::vector<Event> events = game_->playComputer();
    clearPicks();
    return events;
}
