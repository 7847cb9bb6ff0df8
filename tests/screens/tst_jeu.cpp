// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game of the seven families at the table: the child's picks and answers, what the table
// says, and the screen as a child sees it.
#include "screens/Partida.h"
#include "screens/TableSpeech.h"
#include "screens/Ujeu.h"
#include "support/DialogWatcher.h"
#include "support/TestAssets.h"
#include "toolkit/ImageControl.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace Ujeu;
using sevens::Card;
using sevens::Seat;
using Step = Partida::Step;

namespace {

sevens::Setup setupOf(int opponents, uint64_t seed) {
    sevens::Setup setup;
    setup.families = {1, 2, 3};
    setup.seats.assign(size_t(opponents) + 1, Seat::Easy);
    setup.seats.front() = Seat::Child;
    setup.seed = seed;
    return setup;
}

// Plays the child's part as a child who knows the rules: the first legal pick of each step, and
// a wrong answer first whenever it is asked (the pile when it holds the card, else a card).
void playWholeGame(Partida& partida) {
    for (int steps = 0; partida.step() != Step::Over && steps < 5000; ++steps) {
        switch (partida.step()) {
        case Step::Opponent:
            QVERIFY(partida.pickOpponent(partida.opponentChoices().front()));
            break;
        case Step::Family:
            partida.pickFamily(partida.familyChoices().front());
            break;
        case Step::Card:
            partida.pickCard(partida.cardChoices().front());
            break;
        case Step::Answer: {
            const sevens::Answer right = partida.game().rightAnswer();
            const auto& hand = partida.game().table().hands.front();
            const sevens::Answer wrong =
                right.give ? sevens::Answer{} : sevens::Answer{true, hand.front()};
            QVERIFY(!partida.answer(wrong).right);
            QVERIFY(partida.answer(right).right);
            break;
        }
        default:
            partida.playComputer();
        }
    }
}

} // namespace

class TestJeu : public QObject {
    Q_OBJECT
private slots:
    // With no output every sentence is over at once and the game moves at its pauses' pace.
    void initTestCase() { qputenv("SDL_AUDIODRIVER", "none"); }
    void init() { assets_ = std::make_unique<TestAssets>(); }
    void cleanup() { assets_.reset(); }
    void wholeGamesEndWithTheChildsAnswersCounted_data();
    void wholeGamesEndWithTheChildsAnswersCounted();
    void onlyLegalPicksAreTaken();
    void sentences_data();
    void sentences();
    void tableShowsTheHandByWordWithinTheScreen();
    void fewerThanThreeFamiliesIsRefused();
    void keysAnswerAndTheSecondWrongAnswerShowsTheCard();

private:
    std::unique_ptr<TestAssets> assets_;
};

void TestJeu::wholeGamesEndWithTheChildsAnswersCounted_data() {
    QTest::addColumn<int>("opponents");
    QTest::addColumn<int>("seed");
    for (int opponents = 1; opponents <= 3; ++opponents)
        for (int seed = 1; seed <= 3; ++seed)
            QTest::addRow("%d opponents, seed %d", opponents, seed) << opponents << seed;
}

void TestJeu::wholeGamesEndWithTheChildsAnswersCounted() {
    QFETCH(int, opponents);
    QFETCH(int, seed);
    Partida partida;
    partida.start(setupOf(opponents, uint64_t(seed)));
    // With one opponent there is nobody to choose: the first step is the family.
    if (partida.step() == Step::Family || partida.step() == Step::Opponent)
        QCOMPARE(partida.step(), opponents == 1 ? Step::Family : Step::Opponent);
    playWholeGame(partida);
    QCOMPARE(partida.step(), Step::Over);
    const sevens::ChildScore& score = partida.game().score();
    QCOMPARE(score.firstTry, 0); // every first answer was wrong
    QCOMPARE(score.answeredRight, score.requests);
}

void TestJeu::onlyLegalPicksAreTaken() {
    Partida partida;
    partida.start(setupOf(2, 11));
    QCOMPARE(partida.step(), Step::Opponent);
    QVERIFY(!partida.pickOpponent(Partida::child));
    QVERIFY(!partida.pickFamily(1));
    QVERIFY(partida.pickOpponent(2));
    const auto& hand = partida.game().table().hands.front();
    for (int family = 1; family <= 7; ++family)
        QCOMPARE(partida.pickFamily(family), partida.game().table().holdsFamily(0, family));
    const int family = hand.front().family;
    QVERIFY(partida.pickFamily(family));
    QVERIFY(partida.pickCard(hand.front()).empty()); // held already: no request
    for (const Card& card : partida.cardChoices()) {
        QCOMPARE(card.family, family);
        QVERIFY(!partida.game().table().holds(Partida::child, card));
    }
    QVERIFY(!partida.pickCard(partida.cardChoices().front()).empty());
}

void TestJeu::sentences_data() {
    using sevens::Event;
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("actor");
    QTest::addColumn<int>("target");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("the child asks Joana")
        << int(Event::Kind::Asked) << 0 << 1
        << QStringList{"son_frasas\\9.mp3", "son_frasas\\1.mp3", "sons_familles\\9.mp3",
                       "son_frasas\\2.mp3", "sons_familles\\12.mp3"};
    QTest::newRow("Joana asks the child: no name")
        << int(Event::Kind::Asked) << 1 << 0
        << QStringList{"son_frasas\\1.mp3", "sons_familles\\9.mp3", "son_frasas\\2.mp3",
                       "sons_familles\\12.mp3"};
    QTest::newRow("handed over") << int(Event::Kind::HandedOver) << 1 << 0
                                 << QStringList{"son_frasas\\3.mp3"};
    QTest::newRow("not here") << int(Event::Kind::NotHere) << 0 << 1
                              << QStringList{"son_frasas\\4.mp3"};
    QTest::newRow("good draw") << int(Event::Kind::LuckyDraw) << 1 << -1
                               << QStringList{"son_frasas\\5.mp3"};
    QTest::newRow("the child's draw says its word")
        << int(Event::Kind::Drew) << 0 << -1 << QStringList{"sons_familles\\12.mp3"};
    QTest::newRow("another's draw says nothing")
        << int(Event::Kind::Drew) << 1 << -1 << QStringList{};
    QTest::newRow("family laid down") << int(Event::Kind::FamilyLaidDown) << 1 << -1
                                      << QStringList{"sons_familles\\9.mp3", "son_frasas\\6.mp3"};
}

void TestJeu::sentences() {
    QFETCH(int, kind);
    QFETCH(int, actor);
    QFETCH(int, target);
    QFETCH(QStringList, parts);
    Partida partida;
    partida.start(setupOf(2, 1));
    // Card 12 is the third card of family 2, whose name is voice 9.
    const sevens::Event event{sevens::Event::Kind(kind), actor, target, Card{2, 3}, 2};
    QCOMPARE(tablespeech::of(event, partida.game()), parts);
}

// The table fits 1024 x 768 with room for a window manager's frame, its cards are never smaller
// than the explorer's small cards, and screen readers hear each card of the hand by its word.
void TestJeu::tableShowsTheHandByWordWithinTheScreen() {
    Tjeu screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QVERIFY(screen.PNchoix->isVisible());
    QVERIFY(screen.PNchoix->CheckBox(7)->isChecked());
    QCOMPARE(screen.PNchoix->CheckBox(5)->text(), QStringLiteral("los jòcs"));
    for (int k = 4; k <= 7; ++k)
        screen.PNchoix->CheckBox(k)->setChecked(false);
    screen.PNchoix->adversaris(1)->setChecked(true);
    screen.PNchoix->btnJogar->click();
    QVERIFY(screen.PNtaula->isVisible());
    QVERIFY(screen.size().width() <= 1024 - 16 && screen.size().height() <= 768 - 64);
    const auto& hand = screen.partida().game().table().hands.front();
    const VoiceTexts& words = VoiceTexts::defaultSet();
    for (int i = 1; i <= int(hand.size()); ++i) {
        ImageControl* card = screen.PNtaula->man(i);
        QVERIFY(card->isVisible());
        QVERIFY(card->width() >= 100 && card->height() >= 138);
        QCOMPARE(card->accessibleName(),
                 words.cardWord(
                     catalogue::cardNumber(hand[size_t(i - 1)].family, hand[size_t(i - 1)].slot)));
    }
    QVERIFY(!screen.PNtaula->man(int(hand.size()) + 1)->isVisible());
    QVERIFY(!screen.PNtaula->cara(2)->isVisible());
    // 21 cards: half of them dealt, 5 each, and 11 in the pile.
    QCOMPARE(screen.PNtaula->cara(1)->accessibleName(), QStringLiteral("Joana, 5 cartas"));
    QCOMPARE(screen.PNtaula->pila->accessibleName(), QStringLiteral("pila, 11 cartas"));
    // One opponent: the child starts with a family, and the frame is on the hand's first card.
    QCOMPARE(screen.partida().step(), Step::Family);
    QCOMPARE(screen.focusWidget(), screen.PNtaula->man(1));
}

void TestJeu::fewerThanThreeFamiliesIsRefused() {
    DialogWatcher dialogs;
    Tjeu screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    for (int k = 3; k <= 7; ++k)
        screen.PNchoix->CheckBox(k)->setChecked(false);
    screen.PNchoix->btnJogar->click();
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("Causissètz almens tres familhas.")});
    QVERIFY(screen.PNchoix->isVisible());
    QVERIFY(!screen.partida().started());
}

// Enter on the frame plays the child's part; when asked, two wrong answers by the pointer, then
// the card asked for is shown with its word and the frame is on the right answer.
void TestJeu::keysAnswerAndTheSecondWrongAnswerShowsTheCard() {
    qputenv("MIRABOSC_GAME_SEED", "24");
    Tjeu screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    for (int k = 4; k <= 7; ++k)
        screen.PNchoix->CheckBox(k)->setChecked(false);
    screen.PNchoix->adversaris(1)->setChecked(true);
    QTest::keyClick(screen.PNchoix->CheckBox(1), Qt::Key_Return);
    Partida& partida = screen.partida();
    for (int presses = 0; presses < 100 && partida.step() != Step::Answer; ++presses) {
        QTRY_VERIFY(partida.step() != Step::Computer); // the computer's turn waits for its pauses
        if (partida.step() != Step::Answer)
            QTest::keyClick(screen.focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(partida.step(), Step::Answer);
    const sevens::Request asked = partida.game().pending();
    const bool holds = partida.game().rightAnswer().give;
    for (int wrong = 1; wrong <= 2; ++wrong) {
        QVERIFY(!screen.PNtaula->demanda(1)->isVisible());
        holds ? screen.pilaClick() : screen.manClick(screen.PNtaula->man(1));
    }
    QVERIFY(screen.PNtaula->demanda(1)->isVisible());
    QCOMPARE(screen.PNtaula->demanda(1)->accessibleName(),
             VoiceTexts::defaultSet().cardWord(
                 catalogue::cardNumber(asked.card.family, asked.card.slot)));
    auto* frame = qobject_cast<ImageControl*>(screen.focusWidget());
    QVERIFY(frame);
    QCOMPARE(frame == screen.PNtaula->pila, !holds);
    if (holds)
        QCOMPARE(TaulaView::cardOf(frame), asked.card);
    QTest::keyClick(frame, Qt::Key_Return);
    QCOMPARE(partida.game().score().firstTry, 0);
    QCOMPARE(partida.game().score().answeredRight, 1);
}

QTEST_MAIN(TestJeu)
#include "tst_jeu.moc"
