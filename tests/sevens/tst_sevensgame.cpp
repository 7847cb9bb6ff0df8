// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the seven families without a screen: one row a rule, the deal, legal requests,
// the child's answers and the computer players.
#include "sevens/AttentiveStrategy.h"
#include "sevens/EasyStrategy.h"
#include "sevens/SevensGame.h"

#include <QtTest>

using namespace sevens;

namespace {

// "1.3" is the third card of family 1.
Card card(const QString& text) {
    const auto parts = text.split(u'.');
    return {parts.value(0).toInt(), parts.value(1).toInt()};
}

// hands: one per player, cards apart by spaces; pile: the last card is drawn first; laid: the
// families each player laid down; families: those in play.
Table position(const QStringList& hands, const QString& pile, const QStringList& laid,
               std::vector<int> families) {
    Table table = Table::empty(static_cast<int>(hands.size()), std::move(families));
    for (int p = 0; p < hands.size(); ++p) {
        for (const auto& c : hands[p].split(u' ', Qt::SkipEmptyParts))
            table.give(p, card(c));
        for (const auto& f : laid.value(p).split(u' ', Qt::SkipEmptyParts))
            table.laidDown[static_cast<size_t>(p)].push_back(f.toInt());
    }
    for (const auto& c : pile.split(u' ', Qt::SkipEmptyParts))
        table.pile.push_back(card(c));
    return table;
}

QString kinds(const std::vector<Event>& events) {
    static const QStringList names{"Asked",    "HandedOver", "NotHere", "Drew",   "LuckyDraw",
                                   "LaidDown", "EmptyDraw",  "SitsOut", "TurnTo", "GameOver"};
    QStringList out;
    for (const auto& e : events)
        out << names[static_cast<int>(e.kind)];
    return out.join(u' ');
}

Setup computers(int players, uint64_t seed, Seat level = Seat::Easy) {
    Setup setup;
    setup.seats.assign(static_cast<size_t>(players), level);
    setup.seed = seed;
    return setup;
}

} // namespace

class TestSevensGame : public QObject {
    Q_OBJECT
private slots:
    void requestFollowsTheRules_data();
    void requestFollowsTheRules();
    void dealGivesEachItsShare_data();
    void dealGivesEachItsShare();
    void childAnswerIsCheckedAndTheTruthApplied_data();
    void childAnswerIsCheckedAndTheTruthApplied();
    void seededGamesReplayAndComputersPlayToTheEnd_data();
    void seededGamesReplayAndComputersPlayToTheEnd();
    void strategiesNeverPeek_data();
    void strategiesNeverPeek();
    void attentiveAsksTheKnownHolderFirst();
};

void TestSevensGame::requestFollowsTheRules_data() {
    QTest::addColumn<QStringList>("hands");
    QTest::addColumn<QString>("pile");
    QTest::addColumn<QStringList>("laid");
    QTest::addColumn<QString>("request"); // "asker asked card"
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("next");
    QTest::addColumn<QString>("winners");
    const QStringList none;
    QTest::newRow("held card is handed over, asker plays again")
        << QStringList{"1.1", "1.2 2.1"} << "2.2" << none << "0 1 1.2"
        << "Asked HandedOver" << 0 << "";
    QTest::newRow("missing card: asker draws, turn passes")
        << QStringList{"1.1", "2.1"} << "2.2" << none << "0 1 1.2"
        << "Asked NotHere Drew TurnTo" << 1 << "";
    QTest::newRow("drawn card is the one asked for: Bona pesca, plays again")
        << QStringList{"1.1", "2.1"} << "2.2 1.2" << none << "0 1 1.2"
        << "Asked NotHere LuckyDraw" << 0 << "";
    QTest::newRow("seventh card handed over lays the family down")
        << QStringList{"1.1 1.2 1.3 1.4 1.5 1.6 2.1", "1.7 2.2"} << "2.3" << none << "0 1 1.7"
        << "Asked HandedOver LaidDown" << 0 << "";
    QTest::newRow("seventh card drawn unasked lays down, turn passes")
        << QStringList{"1.1 1.2 1.3 1.4 1.5 1.6 2.1", "2.2"} << "1.7" << none << "0 1 2.3"
        << "Asked NotHere Drew LaidDown TurnTo" << 1 << "";
    QTest::newRow("empty hand draws one at its turn")
        << QStringList{"1.1", "", "2.1"} << "2.2 2.3" << QStringList{"", "3"} << "0 2 1.2"
        << "Asked NotHere Drew TurnTo EmptyDraw" << 1 << "";
    QTest::newRow("empty hand and empty pile sit out")
        << QStringList{"1.1", "", "2.1"} << "" << QStringList{"", "3"} << "0 2 1.2"
        << "Asked NotHere TurnTo SitsOut TurnTo" << 2 << "";
    QTest::newRow("last family laid down ends the game, most families wins")
        << QStringList{"1.1 1.2 1.3 1.4 1.5 1.6", "1.7"} << "" << QStringList{"2 3", "4"}
        << "0 1 1.7"
        << "Asked HandedOver LaidDown GameOver" << 0 << "0";
    QTest::newRow("a tie is a shared win") << QStringList{"1.1 1.2 1.3 1.4 1.5 1.6", "1.7"} << ""
                                           << QStringList{"2", "3 4"} << "0 1 1.7"
                                           << "Asked HandedOver LaidDown GameOver" << 0 << "0 1";
    // Refused requests: no event, nothing moves.
    const QStringList hands{"1.1", "2.1", ""};
    for (const char* refused : {"family the asker lacks|0 1 2.2", "card the asker holds|0 1 1.1",
                                "asking oneself|0 0 1.2", "player with no card|0 2 1.2",
                                "family not in play|0 1 5.1", "not the asker's turn|1 0 2.2"}) {
        const QString row = QString::fromUtf8(refused);
        QTest::addRow("refused: %s", qPrintable(row.section(u'|', 0, 0)))
            << hands << "1.2" << none << row.section(u'|', 1) << "" << 0 << "";
    }
}

void TestSevensGame::requestFollowsTheRules() {
    QFETCH(QStringList, hands);
    QFETCH(QString, pile);
    QFETCH(QStringList, laid);
    QFETCH(QString, request);
    QFETCH(QString, events);
    QFETCH(int, next);
    QFETCH(QString, winners);
    Setup setup = computers(static_cast<int>(hands.size()), 1);
    setup.families = {1, 2, 3, 4};
    SevensGame game(setup, position(hands, pile, laid, setup.families), 0);
    const auto words = request.split(u' ');
    const Request asked{words[0].toInt(), words[1].toInt(), card(words[2])};
    const auto legal = game.legalRequests();
    QCOMPARE(std::find(legal.begin(), legal.end(), asked) != legal.end(), !events.isEmpty());
    QCOMPARE(kinds(game.ask(asked)), events);
    QCOMPARE(game.current(), next);
    QStringList won;
    for (int w : game.winners())
        won << QString::number(w);
    QCOMPARE(won.join(u' '), winners);
    QCOMPARE(game.phase() == Phase::Over, !winners.isEmpty());
}

void TestSevensGame::dealGivesEachItsShare_data() {
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("families");
    QTest::addColumn<int>("each");
    QTest::newRow("2 players, 7 families: 7 each") << 2 << 7 << 7;
    QTest::newRow("3 players, 7 families: 7 each") << 3 << 7 << 7;
    QTest::newRow("4 players, 7 families: 5 each") << 4 << 7 << 5;
    QTest::newRow("2 players, 3 families: half the deck") << 2 << 3 << 5;
    QTest::newRow("3 players, 3 families: half the deck") << 3 << 3 << 3;
    QTest::newRow("4 players, 4 families: half the deck") << 4 << 4 << 3;
}

void TestSevensGame::dealGivesEachItsShare() {
    QFETCH(int, players);
    QFETCH(int, families);
    QFETCH(int, each);
    QCOMPARE(SevensGame::cardsDealtEach(players, families), each);
    Setup setup = computers(players, 7);
    setup.families.resize(size_t(families));
    const SevensGame game(setup);
    const Table& t = game.table();
    QCOMPARE(int(t.pile.size()), families * cardsPerFamily - players * each);
    for (int p = 0; p < players; ++p)
        QCOMPARE(int(t.hands[size_t(p)].size() + t.laidDown[size_t(p)].size() * cardsPerFamily),
                 each);
}

void TestSevensGame::childAnswerIsCheckedAndTheTruthApplied_data() {
    QTest::addColumn<QString>("childHand");
    QTest::addColumn<QString>("answers"); // "pile" or a card, one a try
    QTest::addColumn<int>("firstTry");
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("truth");
    QTest::newRow("gives the asked card") << "1.2 2.1"
                                          << "1.2" << 1 << 1 << "HandedOver";
    QTest::newRow("points at the pile when lacking") << "2.1"
                                                     << "pile" << 1 << 1 << "NotHere Drew TurnTo";
    QTest::newRow("wrong card, then right") << "1.2 2.1"
                                            << "2.1 1.2" << 0 << 1 << "HandedOver";
    QTest::newRow("pile while holding it, twice") << "1.2 2.1"
                                                  << "pile pile" << 0 << 0 << "HandedOver";
    QTest::newRow("gives a card while lacking") << "2.1"
                                                << "2.1" << 0 << 0 << "NotHere Drew TurnTo";
}

void TestSevensGame::childAnswerIsCheckedAndTheTruthApplied() {
    QFETCH(QString, childHand);
    QFETCH(QString, answers);
    QFETCH(int, firstTry);
    QFETCH(int, right);
    QFETCH(QString, truth);
    Setup setup = computers(2, 3);
    setup.seats[1] = Seat::Child;
    setup.families = {1, 2, 3};
    SevensGame game(setup, position({"1.1", childHand}, "3.1", {}, setup.families), 0);
    QCOMPARE(kinds(game.ask({0, 1, card("1.2")})), QString("Asked"));
    QCOMPARE(game.phase(), Phase::ChildAnswers);
    const bool holds = childHand.contains("1.2");
    QCOMPARE(game.rightAnswer(), (Answer{holds, holds ? card("1.2") : Card{}}));
    for (const auto& a : answers.split(u' ')) {
        const Answer given = a == "pile" ? Answer{} : Answer{true, card(a)};
        QCOMPARE(game.answer(given), given == game.rightAnswer());
        QCOMPARE(game.phase(), Phase::ChildAnswers); // an answer alone moves no card
    }
    QCOMPARE(kinds(game.resolve()), truth);
    QCOMPARE(game.table().holds(0, card("1.2")), holds);
    QCOMPARE(game.score().requests, 1);
    QCOMPARE(game.score().firstTry, firstTry);
    QCOMPARE(game.score().answeredRight, right);
}

void TestSevensGame::seededGamesReplayAndComputersPlayToTheEnd_data() {
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("level");
    for (int players = SevensGame::minPlayers; players <= SevensGame::maxPlayers; ++players) {
        QTest::addRow("%d easy players", players) << players << int(Seat::Easy);
        QTest::addRow("%d attentive players", players) << players << int(Seat::Attentive);
    }
}

void TestSevensGame::seededGamesReplayAndComputersPlayToTheEnd() {
    QFETCH(int, players);
    QFETCH(int, level);
    constexpr int games = 40;
    constexpr int stepBound = 2000;
    for (uint64_t seed = 0; seed < games; ++seed) {
        Setup setup = computers(players, seed, Seat(level));
        setup.families =
            seed % 2 ? std::vector<int>{1, 2, 3, 4, 5, 6, 7} : std::vector<int>{2, 5, 7};
        SevensGame game(setup), replay(setup);
        for (int step = 0; game.phase() != Phase::Over && step < stepBound; ++step) {
            // A strategy's request is always legal: the engine would refuse it with no event.
            QVERIFY(!game.playComputer().empty());
            replay.playComputer();
        }
        QCOMPARE(game.phase(), Phase::Over);
        QVERIFY(game.log() == replay.log());
        QVERIFY(!game.winners().empty());
    }
    QVERIFY(SevensGame(computers(players, 1)).table().hands !=
            SevensGame(computers(players, 2)).table().hands);
}

void TestSevensGame::strategiesNeverPeek_data() {
    QTest::addColumn<int>("level");
    QTest::newRow("easy") << int(Seat::Easy);
    QTest::newRow("attentive") << int(Seat::Attentive);
}

// A strategy given the same view and the same events chooses the same, however the cards it
// cannot see lie in the other hands and the pile.
void TestSevensGame::strategiesNeverPeek() {
    QFETCH(int, level);
    constexpr int positions = 30;
    const auto make = [level](uint64_t seed) -> std::unique_ptr<Strategy> {
        if (Seat(level) == Seat::Easy)
            return std::make_unique<EasyStrategy>(seed);
        return std::make_unique<AttentiveStrategy>(seed);
    };
    int differentTables = 0;
    for (int n = 0; n < positions; ++n) {
        SevensGame game(computers(3, uint64_t(n), Seat(level)));
        for (int step = 0; step < n % 9 && game.phase() == Phase::ComputerAsks; ++step)
            game.playComputer();
        if (game.phase() != Phase::ComputerAsks)
            continue;
        const int seat = game.current();
        // The cards the seat cannot see, dealt again in another order into the same places.
        Table shown = game.table(), hidden = game.table();
        std::vector<std::vector<Card>*> places{&hidden.pile};
        std::vector<Card> unseen = hidden.pile;
        for (int p = 0; p < hidden.players(); ++p)
            if (p != seat) {
                places.push_back(&hidden.hands[size_t(p)]);
                unseen.insert(unseen.end(), places.back()->begin(), places.back()->end());
            }
        std::rotate(unseen.begin(), unseen.begin() + 1 + n % 5, unseen.end());
        for (auto from = unseen.begin(); auto* place : places) {
            std::copy_n(from, place->size(), place->begin());
            from += long(place->size());
            std::sort(place->begin(), place->end());
        }
        differentTables += hidden.hands != shown.hands;
        auto one = make(uint64_t(n)), other = make(uint64_t(n));
        for (const auto& event : game.log()) {
            if (event.actor != seat && event.kind == Event::Kind::Drew)
                QVERIFY(!event.seenBy(seat).card.valid());
            one->observe(event.seenBy(seat));
            other->observe(event.seenBy(seat));
        }
        QCOMPARE(one->choose(SeatView(shown, seat)), other->choose(SeatView(hidden, seat)));
    }
    QVERIFY(differentTables > positions / 2);
}

void TestSevensGame::attentiveAsksTheKnownHolderFirst() {
    const Table table =
        position({"1.1 1.2 1.3 2.1", "2.2 2.3 1.4", "1.5 2.4"}, "1.6 1.7 2.5", {}, {1, 2});
    for (uint64_t seed = 0; seed < 20; ++seed) {
        AttentiveStrategy attentive(seed);
        // Player 2 was handed 1.5 by player 1, and player 1 said it lacks 2.4.
        attentive.observe({Event::Kind::HandedOver, 2, 1, card("1.5")});
        attentive.observe({Event::Kind::NotHere, 0, 1, card("2.4")});
        QCOMPARE(attentive.choose(SeatView(table, 0)), (Request{0, 2, card("1.5")}));
        attentive.observe({Event::Kind::HandedOver, 0, 2, card("1.5")});
        // Nothing more known of 1.4 to 1.7: never 2.4 from the player seen to lack it.
        const Request next = attentive.choose(SeatView(table, 0));
        QVERIFY(!(next.asked == 1 && next.card == card("2.4")));
    }
}

QTEST_GUILESS_MAIN(TestSevensGame)
#include "tst_sevensgame.moc"
