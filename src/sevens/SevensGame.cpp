// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the seven families: the deal, a request and its answer, the turn passing on.
#include "sevens/SevensGame.h"

#include "sevens/AttentiveStrategy.h"
#include "sevens/EasyStrategy.h"
#include "sevens/SevensRandom.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <utility>

namespace sevens {

namespace {

constexpr int smallTableDeal = 7; // 2 or 3 players
constexpr int fullTableDeal = 5;  // 4 players
constexpr int fullTable = 4;
// Each computer player's random numbers are its own, drawn from the game's seed and its seat.
constexpr uint64_t seatSeedStep = 0x2545f4914f6cdd1dull;

std::unique_ptr<Strategy> strategyFor(Seat seat, uint64_t seed) {
    switch (seat) {
    case Seat::Easy:
        return std::make_unique<EasyStrategy>(seed);
    case Seat::Attentive:
        return std::make_unique<AttentiveStrategy>(seed);
    case Seat::Child:
        break;
    }
    return nullptr;
}

} // namespace

bool Setup::valid() const {
    const std::set<int> distinct(families.begin(), families.end());
    const int players = static_cast<int>(seats.size());
    return distinct.size() == families.size() &&
           static_cast<int>(families.size()) >= SevensGame::minFamilies &&
           std::all_of(families.begin(), families.end(),
                       [](int f) { return f >= 1 && f <= familyCount; }) &&
           players >= SevensGame::minPlayers && players <= SevensGame::maxPlayers &&
           firstPlayer >= 0 && firstPlayer < players;
}

int SevensGame::cardsDealtEach(int players, int families) {
    const int each = players >= fullTable ? fullTableDeal : smallTableDeal;
    const int half = families * cardsPerFamily / 2;
    return std::min(each, half / players);
}

SevensGame::SevensGame(const Setup& setup)
    : SevensGame(setup, Table::empty(static_cast<int>(setup.seats.size()), setup.families),
                 setup.firstPlayer) {}

SevensGame::SevensGame(const Setup& setup, Table table, int current)
    : seats_(setup.seats), table_(std::move(table)), current_(current) {
    if (!setup.valid() || table_.players() != static_cast<int>(seats_.size()) || current < 0 ||
        current >= table_.players())
        throw std::invalid_argument("a game of the seven families needs 3 to 7 families and 2 to "
                                    "4 players");
    for (size_t i = 0; i < seats_.size(); ++i)
        strategies_.push_back(strategyFor(seats_[i], setup.seed + (i + 1) * seatSeedStep));
    sittingOut_.assign(seats_.size(), false);
    const bool dealt = std::any_of(table_.hands.begin(), table_.hands.end(),
                                   [](const auto& hand) { return !hand.empty(); });
    if (!dealt) {
        // The deck in order, shuffled from the seed, dealt one card at a time around the table.
        std::vector<Card> deck;
        for (int family : table_.families)
            for (int slot = 1; slot <= cardsPerFamily; ++slot)
                deck.push_back({family, slot});
        SevensRandom random(setup.seed);
        for (int i = static_cast<int>(deck.size()) - 1; i > 0; --i)
            std::swap(deck[static_cast<size_t>(i)], deck[static_cast<size_t>(random.below(i + 1))]);
        const int each = cardsDealtEach(table_.players(), static_cast<int>(table_.families.size()));
        table_.pile = deck;
        for (int round = 0; round < each; ++round)
            for (int player = 0; player < table_.players(); ++player)
                table_.draw(player);
    }
    start();
}

SevensGame::~SevensGame() = default;

void SevensGame::start() {
    for (int player = 0; player < table_.players(); ++player)
        layDownComplete(player);
    record(Event::Kind::TurnTo, current_);
    advance(true);
    fresh_.clear();
}

void SevensGame::record(Event::Kind kind, int actor, int target, Card card, int family) {
    const Event event{kind, actor, target, card, family};
    log_.push_back(event);
    fresh_.push_back(event);
    for (size_t seat = 0; seat < strategies_.size(); ++seat)
        if (strategies_[seat])
            strategies_[seat]->observe(event.seenBy(static_cast<int>(seat)));
}

bool SevensGame::isLegal(const Request& request) const {
    return (phase_ == Phase::ChildAsks || phase_ == Phase::ComputerAsks) &&
           request.asker == current_ && table_.isLegal(request);
}

std::vector<Event> SevensGame::ask(const Request& request) {
    if (!isLegal(request))
        return {};
    fresh_.clear();
    pending_ = request;
    record(Event::Kind::Asked, request.asker, request.asked, request.card);
    if (seat(request.asked) == Seat::Child) {
        phase_ = Phase::ChildAnswers;
        answeredYet_ = false;
        answeredRight_ = false;
        ++score_.requests;
        return std::exchange(fresh_, {});
    }
    auto asked = std::exchange(fresh_, {});
    auto answered = resolve();
    asked.insert(asked.end(), answered.begin(), answered.end());
    return asked;
}

std::vector<Event> SevensGame::playComputer() {
    if (phase_ != Phase::ComputerAsks)
        return {};
    auto& strategy = strategies_.at(static_cast<size_t>(current_));
    return ask(strategy->choose(viewFor(current_)));
}

Answer SevensGame::rightAnswer() const {
    if (table_.holds(pending_.asked, pending_.card))
        return {true, pending_.card};
    return {false, Card{}};
}

bool SevensGame::answer(const Answer& given) {
    if (phase_ != Phase::ChildAnswers)
        return false;
    const Answer right = rightAnswer();
    const bool isRight = given.give == right.give && (!right.give || given.card == right.card);
    if (!answeredYet_ && isRight)
        ++score_.firstTry;
    if (!answeredRight_ && isRight)
        ++score_.answeredRight;
    answeredYet_ = true;
    answeredRight_ = answeredRight_ || isRight;
    return isRight;
}

std::vector<Event> SevensGame::resolve() {
    const Request request = pending_;
    if (phase_ == Phase::Over || request.asker == nobody)
        return {};
    fresh_.clear();
    bool playsAgain = false;
    if (table_.holds(request.asked, request.card)) {
        table_.remove(request.asked, request.card);
        table_.give(request.asker, request.card);
        record(Event::Kind::HandedOver, request.asker, request.asked, request.card);
        playsAgain = true;
    } else {
        record(Event::Kind::NotHere, request.asker, request.asked, request.card);
        if (!table_.pile.empty()) {
            const Card drawn = table_.draw(request.asker);
            playsAgain = drawn == request.card;
            record(playsAgain ? Event::Kind::LuckyDraw : Event::Kind::Drew, request.asker, nobody,
                   drawn);
        }
    }
    pending_ = Request{};
    layDownComplete(request.asker);
    advance(playsAgain);
    return std::exchange(fresh_, {});
}

void SevensGame::layDownComplete(int player) {
    for (int family = table_.completeFamily(player); family != nobody;
         family = table_.completeFamily(player)) {
        table_.layDown(player, family);
        record(Event::Kind::FamilyLaidDown, player, nobody, Card{}, family);
    }
}

void SevensGame::advance(bool playsAgain) {
    if (!playsAgain)
        passTurn();
    // Each pass of the loop either finds a request to make, or moves a card from the pile or
    // seats a player out: the pile and the seats bound it.
    const int bound = (table_.players() + 1) * (static_cast<int>(table_.pile.size()) + 2);
    for (int pass = 0; pass < bound; ++pass) {
        if (table_.familiesLeft() == 0)
            break;
        if (settleTurn())
            return;
    }
    phase_ = Phase::Over;
    record(Event::Kind::GameOver);
}

// Makes the current player ready to ask, or passes the turn; true when it is ready.
bool SevensGame::settleTurn() {
    const int player = current_;
    const auto& hand = table_.hands[static_cast<size_t>(player)];
    if (!sittingOut_[static_cast<size_t>(player)]) {
        if (hand.empty() && !table_.pile.empty()) {
            record(Event::Kind::EmptyHandDraw, player, nobody, table_.draw(player));
        } else if (hand.empty()) {
            sittingOut_[static_cast<size_t>(player)] = true;
            record(Event::Kind::SitsOut, player);
        }
    }
    if (!hand.empty() && table_.anotherHolds(player)) {
        phase_ = seat(player) == Seat::Child ? Phase::ChildAsks : Phase::ComputerAsks;
        return true;
    }
    if (!hand.empty() && !table_.pile.empty()) {
        // Nobody else holds a card: the player draws one and the turn passes.
        record(Event::Kind::Drew, player, nobody, table_.draw(player));
        layDownComplete(player);
    }
    if (table_.familiesLeft() > 0)
        passTurn();
    return false;
}

// To the next player who does not sit out (those are skipped in silence); back to the same player
// when all the others sit out.
void SevensGame::passTurn() {
    int to = current_;
    for (int p = next(current_); p != current_; p = next(p))
        if (!sittingOut_[static_cast<size_t>(p)]) {
            to = p;
            break;
        }
    current_ = to;
    record(Event::Kind::TurnTo, current_);
}

std::vector<int> SevensGame::winners() const {
    if (phase_ != Phase::Over)
        return {};
    size_t most = 0;
    for (const auto& laid : table_.laidDown)
        most = std::max(most, laid.size());
    std::vector<int> best;
    for (int player = 0; player < table_.players(); ++player)
        if (table_.laidDown[static_cast<size_t>(player)].size() == most)
            best.push_back(player);
    return best;
}

} // namespace sevens
