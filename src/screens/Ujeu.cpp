// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's screen: its two views, the child's picks and answers, the computer players' turns
// paced by the table's voice.
#include "screens/Ujeu.h"

#include "screens/TableSpeech.h"
#include "text/fichiers_Chaines.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Guard.h"
#include "toolkit/ImageControl.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRandomGenerator>

namespace Ujeu {

Tjeu* jeu = nullptr;

using sevens::Card;
using sevens::Event;
using Step = Partida::Step;

namespace {

constexpr int fontHeight = 11;
// The seed of a game, for a test that must play a known one.
const char* const seedVariable = "MIRABOSC_GAME_SEED";

} // namespace

Tjeu::Tjeu()
    : Form(QStringLiteral("jeu"), QStringLiteral("Lo jòc de las set familhas"), Qt::white,
           fontHeight),
      texts_(VoiceTexts::defaultSet()), phrases_(PhraseTexts::defaultSet()) {
    jeu = this;
    PNchoix = new ChoixPartida(this, tableplaces::tableRect);
    PNtaula = new TaulaView(this);
    PNtaula->hide();
    const auto run = [this](void (Tjeu::*handler)()) {
        return [this, handler] { guard::run([this, handler] { (this->*handler)(); }); };
    };
    connect(PNchoix->btnJogar, &QPushButton::clicked, this, run(&Tjeu::btnJogarClick));
    connect(PNtaula->pila, &ImageControl::clicked, this, run(&Tjeu::pilaClick));
    connect(PNtaula->btnRejouer, &QPushButton::clicked, this, run(&Tjeu::btnRejouerClick));
    connect(PNtaula->btnTornar, &QPushButton::clicked, this, run(&Tjeu::btnTornarClick));
    connect(PNtaula, &Panel::mouseMoved, this, [this] { hovered_ = nullptr; });
    for (int p = 1; p <= tableplaces::maxOpponents; ++p)
        bindCard(PNtaula->cara(p), &Tjeu::caraClick);
    for (int i = 1; i <= catalogue::cardsPerFamily; ++i)
        bindCard(PNtaula->demanda(i), &Tjeu::demandaClick);
    for (int i = 1; i <= tableplaces::handCapacity; ++i)
        bindCard(PNtaula->man(i), &Tjeu::manClick);
    turnTimer_.setSingleShot(true);
    turnTimer_.setInterval(TableVoice::pauseAfter);
    connect(&turnTimer_, &QTimer::timeout, this, run(&Tjeu::proceed));
    connect(&voice_, &TableVoice::quiet, this, run(&Tjeu::proceed));
}

Tjeu::~Tjeu() {
    jeu = nullptr;
}

// Arriving on a card or a face, by the pointer, the keyboard or a touch, speaks its word or name.
void Tjeu::bindCard(ImageControl* card, void (Tjeu::*click)(ImageControl*)) {
    connect(card, &ImageControl::clicked, this,
            [this, click](ImageControl* s) { guard::run([&] { (this->*click)(s); }); });
    connect(card, &ImageControl::arrived, this,
            [this](ImageControl* s) { guard::run([&] { speakCard(s); }); });
    connect(card, &ImageControl::mouseMoved, this, [this](ImageControl* s) {
        if (s != hovered_)
            guard::run([&] { speakCard(s); });
        hovered_ = s;
    });
}

void Tjeu::FormShow() {
    centre();
    turnTimer_.stop();
    voice_.stop();
    texts_ = VoiceTexts::ofCurrentSet();
    phrases_ = PhraseTexts::ofCurrentSet();
    PNtaula->hide();
    PNchoix->show();
    PNchoix->reset(texts_);
    focusFirstIn(PNchoix);
}

void Tjeu::FormClose(CloseAction&) {
    turnTimer_.stop();
    voice_.stop();
}

void Tjeu::btnJogarClick() {
    if (PNchoix->isHidden())
        return;
    sevens::Setup setup;
    setup.families = PNchoix->families();
    if (int(setup.families.size()) < sevens::SevensGame::minFamilies) {
        dialogs::messageDlg(QStringLiteral("Causissètz almens tres familhas."),
                            dialogs::Kind::Error);
        return;
    }
    const sevens::Seat level = PNchoix->attentive() ? sevens::Seat::Attentive : sevens::Seat::Easy;
    setup.seats.assign(size_t(PNchoix->opponents()) + 1, level);
    setup.seats.front() = sevens::Seat::Child;
    bool seeded = false;
    const qulonglong seed = qEnvironmentVariable(seedVariable).toULongLong(&seeded);
    setup.seed = seeded ? seed : QRandomGenerator::global()->generate64();
    partida_.start(setup);
    lastTurn_.clear();
    takeFocusFrom(PNchoix);
    PNchoix->hide();
    PNtaula->show();
    // Families dealt whole are laid down before the first turn: the child hears them too.
    tell(partida_.game().log());
}

void Tjeu::tell(const std::vector<Event>& events) {
    bool computerAsks = false;
    laidFamily_ = sevens::nobody;
    for (const Event& event : events) {
        if (event.kind == Event::Kind::FamilyLaidDown)
            laidFamily_ = event.family;
        // A computer player's request and what follows it are what the replay says again.
        if (event.kind == Event::Kind::Asked) {
            computerAsks = event.actor != Partida::child;
            if (computerAsks)
                lastTurn_.clear();
        }
        const QStringList sentence = tablespeech::of(event, partida_.game());
        if (sentence.isEmpty())
            continue;
        voice_.say(sentence);
        if (computerAsks)
            lastTurn_.push_back(sentence);
    }
    showGame();
    if (!voice_.busy())
        turnTimer_.start();
}

void Tjeu::showGame() {
    PNtaula->showGame(partida_, texts_, phrases_, laidFamily_);
    PNtaula->btnRejouer->setEnabled(!lastTurn_.empty() || partida_.step() == Step::Answer);
    const Step step = partida_.step();
    if (step == Step::Over)
        focusFirstIn(PNtaula->PNfin);
    else if (step == Step::Computer)
        takeFocusFrom(PNtaula);
    else if (step == Step::Answer && partida_.rightAnswerShown())
        rightAnswerControl()->setFocus(); // where the card asked for is, or the pile
    else
        focusFirstIn(PNtaula); // the first legal choice
}

ImageControl* Tjeu::rightAnswerControl() const {
    const sevens::Answer right = partida_.game().rightAnswer();
    for (int i = 1; right.give && i <= tableplaces::handCapacity; ++i)
        if (PNtaula->man(i)->isVisibleTo(PNtaula) &&
            TaulaView::cardOf(PNtaula->man(i)) == right.card)
            return PNtaula->man(i);
    return PNtaula->pila;
}

// The next thing at the table, once what was said has been heard and the pause after it is over:
// a computer player's turn.
void Tjeu::proceed() {
    if (!isVisible() || !PNtaula->isVisible() || voice_.busy())
        return;
    if (partida_.step() == Step::Computer)
        tell(partida_.playComputer());
}

void Tjeu::speakCard(ImageControl* card) {
    if (!card->isVisible())
        return;
    if (card->objectName().startsWith(QLatin1String("cara")))
        voice_.sayWord(tablespeech::nameVoice(ExtraireNombre(card->objectName(), 1, 0)));
    else
        voice_.sayWord(tablespeech::cardVoice(TaulaView::cardOf(card)));
}

void Tjeu::caraClick(ImageControl* sender) {
    if (partida_.pickOpponent(ExtraireNombre(sender->objectName(), 1, 0)))
        showGame();
}

void Tjeu::manClick(ImageControl* sender) {
    const Card card = TaulaView::cardOf(sender);
    if (partida_.step() == Step::Answer)
        answer({true, card});
    else if (partida_.pickFamily(card.family))
        showGame();
}

void Tjeu::demandaClick(ImageControl* sender) {
    if (partida_.step() == Step::Card)
        tell(partida_.pickCard(TaulaView::cardOf(sender)));
}

void Tjeu::pilaClick() {
    answer({false, Card{}});
}

// A wrong answer is not punished: the request is said again, and after the second wrong one the
// card asked for is shown and its word said.
void Tjeu::answer(const sevens::Answer& given) {
    if (partida_.step() != Step::Answer)
        return;
    const Partida::Answered answered = partida_.answer(given);
    if (answered.right) {
        tell(answered.events);
        return;
    }
    btnRejouerClick();
    showGame();
}

// The last computer turn heard again; while the child answers, the request.
void Tjeu::btnRejouerClick() {
    if (partida_.step() == Step::Answer) {
        const sevens::Request& request = partida_.game().pending();
        voice_.say(tablespeech::request(request.asked, request.card));
        if (partida_.rightAnswerShown())
            voice_.say({tablespeech::cardVoice(request.card)});
        return;
    }
    for (const QStringList& sentence : lastTurn_)
        voice_.say(sentence);
}

void Tjeu::btnTornarClick() {
    turnTimer_.stop();
    voice_.stop();
    takeFocusFrom(PNtaula);
    PNtaula->hide();
    PNchoix->show();
    focusFirstIn(PNchoix);
}

// R hears the last turn again; Enter on a box of the choice starts the game, as "Jogar" does.
void Tjeu::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (event->key() == Qt::Key_R && PNtaula->isVisible() && !event->isAutoRepeat()) {
        guard::run([this] { btnRejouerClick(); });
    } else if (enter && PNchoix->isVisible() && !qobject_cast<QPushButton*>(focusWidget()) &&
               !event->isAutoRepeat()) {
        guard::run([this] { btnJogarClick(); });
    } else {
        Form::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace Ujeu
