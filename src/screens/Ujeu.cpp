// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's screen: its two views, the child's picks and answers, the computer players' turns
// paced by the table's voice.
#include "screens/Ujeu.h"

#include "assets/ContentReader.h"
#include "pictures/PictureLoader.h"
#include "screens/TableSpeech.h"
#include "text/fichiers_Chaines.h"
#include "toolkit/Dialogs.h"
#include "toolkit/FocusOverlay.h"
#include "toolkit/Fonts.h"
#include "toolkit/Guard.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/Transparency.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>

namespace Ujeu {

Tjeu* jeu = nullptr;

namespace tp = tableplaces;
using sevens::Card;
using sevens::Event;
using Step = Partida::Step;

namespace {

constexpr int fontHeight = 11;
constexpr int labelFont = 13;
constexpr int bigFont = 16;
constexpr const char* cardProperty = "card";
constexpr QRect endText(16, 16, 600, 40);
constexpr QRect endCount(16, 64, 400, 30);
constexpr QRect tornarRect(520, 70, 220, 50);
const char* const faces[tp::maxOpponents] = {":/art/joana.bmp", ":/art/peire.bmp",
                                             ":/art/guilhem.bmp"};
// The seed of a game, for a test that must play a known one.
const char* const seedVariable = "MIRABOSC_GAME_SEED";

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(rect);
    b->setFont(fonts::sans(bigFont));
    FocusOverlay::follow(b, [](const QWidget* w) { return w->rect(); });
    return b;
}

QLabel* label(QWidget* parent, const QString& name, QPoint at, int width) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(fonts::sans(labelFont));
    l->setGeometry(QRect(at, QSize(width, labelFont + 8)));
    return l;
}

int numberOf(Card card) {
    return catalogue::cardNumber(card.family, card.slot);
}

QString cardsText(int count) {
    return count == 1 ? QStringLiteral("1 carta") : QStringLiteral("%1 cartas").arg(count);
}

QString familiesText(int count) {
    return count == 1 ? QStringLiteral("1 familha") : QStringLiteral("%1 familhas").arg(count);
}

} // namespace

Tjeu::Tjeu()
    : Form(QStringLiteral("jeu"), QStringLiteral("Lo jòc de las set familhas"), Qt::white,
           fontHeight),
      texts_(VoiceTexts::defaultSet()), phrases_(PhraseTexts::defaultSet()) {
    jeu = this;
    QFile families(QStringLiteral(":/texts/familles.txt"));
    if (families.open(QIODevice::ReadOnly))
        for (const content::Family& family : content::ContentReader::parseFamilies(
                 QString::fromUtf8(families.readAll()), catalogue::familiesText))
            colours_.at(size_t(family.index - 1)) = family.colour;
    PNchoix = new ChoixPartida(this, tp::tableRect);
    connect(PNchoix->btnJogar, &QPushButton::clicked, this,
            [this] { guard::run([this] { btnJogarClick(); }); });
    buildTable();
    buildEnd();
    turnTimer_.setSingleShot(true);
    turnTimer_.setInterval(TableVoice::pauseAfter);
    connect(&turnTimer_, &QTimer::timeout, this, [this] { guard::run([this] { proceed(); }); });
    connect(&voice_, &TableVoice::quiet, this, [this] { guard::run([this] { proceed(); }); });
}

Tjeu::~Tjeu() {
    jeu = nullptr;
}

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

void Tjeu::buildTable() {
    PNtaula = new Panel(this, QStringLiteral("PNtaula"), tp::tableRect, Qt::white);
    PNtaula->hide();
    connect(PNtaula, &Panel::mouseMoved, this, [this] { hovered_ = nullptr; });
    // Created in the order the arrows go: the players, the pile, the wanted cards, the hand.
    for (int p = 1; p <= tp::maxOpponents; ++p) {
        const QPoint at = tp::firstFace + QPoint(0, (p - 1) * tp::opponentStep);
        auto* face =
            new ImageControl(PNtaula, QStringLiteral("cara%1").arg(p), QRect(at, tp::face));
        face->setPicture(pictures::embedded(QLatin1String(faces[p - 1])));
        face->setCursor(Qt::PointingHandCursor);
        bindCard(face, &Tjeu::caraClick);
        cara_.at(size_t(p - 1)) = face;
        nom_.at(size_t(p - 1)) = label(PNtaula, QStringLiteral("nom%1").arg(p),
                                       {tp::labelsLeft, at.y() + tp::nameTop}, tp::labelWidth);
        cartas_.at(size_t(p - 1)) = label(PNtaula, QStringLiteral("cartas%1").arg(p),
                                          {tp::labelsLeft, at.y() + tp::countTop}, tp::labelWidth);
        familhas_.at(size_t(p - 1)) =
            label(PNtaula, QStringLiteral("familhas%1").arg(p),
                  {tp::labelsLeft, at.y() + tp::familiesTop}, tp::labelWidth);
    }
    pila = new ImageControl(PNtaula, QStringLiteral("pila"), tp::pile);
    pila->setProportional(true);
    pila->setCursor(Qt::PointingHandCursor);
    connect(pila, &ImageControl::clicked, this, [this] { guard::run([this] { pilaClick(); }); });
    LBpila = label(PNtaula, QStringLiteral("LBpila"), tp::pileLabel, tp::labelWidth);
    btnRejouer = button(PNtaula, "btnRejouer", QStringLiteral("tornar jogar lo son"), tp::replay);
    btnRejouer->setIcon(QIcon(QPixmap::fromImage(
        transparency::withoutGround(pictures::embedded(QStringLiteral(":/art/rejouer.bmp"))))));
    btnRejouer->setIconSize(tp::speaker);
    btnRejouer->setFont(fonts::sans(labelFont));
    connect(btnRejouer, &QPushButton::clicked, this,
            [this] { guard::run([this] { btnRejouerClick(); }); });
    for (int i = 1; i <= catalogue::cardsPerFamily; ++i) {
        const QRect rect(QPoint(tp::right + (i - 1) * tp::askStep, tp::askTop), tp::card);
        auto* wanted = new ImageControl(PNtaula, QStringLiteral("demanda%1").arg(i), rect);
        wanted->setCursor(Qt::PointingHandCursor);
        bindCard(wanted, &Tjeu::demandaClick);
        demanda_.at(size_t(i - 1)) = wanted;
    }
    LBtu = label(PNtaula, QStringLiteral("LBtu"), {tp::right, tp::childLineTop}, tp::end.width());
    for (int i = 0; i < tp::handCapacity; ++i) {
        auto* band = new QFrame(PNtaula);
        band->setGeometry(QRect(tp::cellAt(i), tp::cell));
        band->setAutoFillBackground(true);
        banda_.at(size_t(i)) = band;
    }
    for (int i = 0; i < tp::handCapacity; ++i) {
        const QRect rect(tp::cellAt(i) + QPoint(tp::cellBorder, tp::cellBorder), tp::card);
        auto* card = new ImageControl(PNtaula, QStringLiteral("man%1").arg(i + 1), rect);
        card->setCursor(Qt::PointingHandCursor);
        bindCard(card, &Tjeu::manClick);
        man_.at(size_t(i)) = card;
    }
}

void Tjeu::buildEnd() {
    PNfin = new Panel(PNtaula, QStringLiteral("PNfin"), tp::end, Qt::white);
    PNfin->hide();
    LBfin = label(PNfin, QStringLiteral("LBfin"), endText.topLeft(), endText.width());
    LBfin->setFont(fonts::sans(2 * bigFont));
    LBfin->setFixedHeight(endText.height());
    LBjustas = label(PNfin, QStringLiteral("LBjustas"), endCount.topLeft(), endCount.width());
    btnTornar = button(PNfin, "btnTornar", QStringLiteral("Tornar jogar"), tornarRect);
    connect(btnTornar, &QPushButton::clicked, this,
            [this] { guard::run([this] { btnTornarClick(); }); });
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
    PNfin->hide();
    PNtaula->show();
    // Families dealt whole are laid down before the first turn: the child hears them too.
    tell(partida_.game().log());
}

void Tjeu::tell(const std::vector<Event>& events) {
    bool computerAsks = false;
    for (const Event& event : events) {
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
    showTable();
    if (!voice_.busy())
        turnTimer_.start();
}

// The next thing at the table, once what was said has been heard: a computer player's turn, or
// the child's choices.
void Tjeu::proceed() {
    if (!isVisible() || !PNtaula->isVisible() || voice_.busy())
        return;
    if (partida_.step() == Step::Computer)
        tell(partida_.playComputer());
}

void Tjeu::showTable() {
    const sevens::Table& table = partida_.game().table();
    const int players = table.players();
    for (int p = 1; p <= tp::maxOpponents; ++p) {
        const bool seated = p < players;
        for (QWidget* w : {static_cast<QWidget*>(cara(p)), static_cast<QWidget*>(nom(p)),
                           static_cast<QWidget*>(cartas(p)), static_cast<QWidget*>(familhas(p))})
            w->setVisible(seated);
        if (!seated)
            continue;
        const int count = int(table.hands.at(size_t(p)).size());
        const int laid = int(table.laidDown.at(size_t(p)).size());
        const QString name = phrases_.text(catalogue::opponentName(p));
        nom(p)->setText(name);
        cartas(p)->setText(cardsText(count));
        familhas(p)->setText(familiesText(laid));
        cara(p)->setAccessibleName(name + QStringLiteral(", ") + cardsText(count));
        // The player whose turn it is stands out.
        QFont font = nom(p)->font();
        font.setBold(partida_.game().current() == p && partida_.step() != Step::Over);
        nom(p)->setFont(font);
    }
    const int pileCount = int(table.pile.size());
    pila->setVisible(pileCount > 0);
    if (pila->picture().isNull())
        pila->loadFromFile(catalogue::blankCard());
    LBpila->setText(cardsText(pileCount));
    pila->setAccessibleName(QStringLiteral("pila, ") + cardsText(pileCount));
    LBtu->setText(QStringLiteral("Tu : ") +
                  familiesText(int(table.laidDown.at(size_t(Partida::child)).size())));
    btnRejouer->setEnabled(!lastTurn_.empty());
    showHand();
    showChoices();
    if (partida_.step() == Step::Over)
        showEnd();
}

void Tjeu::showCard(ImageControl* control, Card card) {
    const int number = numberOf(card);
    control->setProperty(cardProperty, number);
    control->loadFromFile(catalogue::smallCard(number));
    control->setAccessibleName(texts_.cardWord(number));
}

Card Tjeu::cardOf(const ImageControl* control) const {
    const int number = control->property(cardProperty).toInt();
    const int family = (number - 1) / (catalogue::cardsPerFamily + 1) + 1;
    return {family, number - catalogue::titleNumber(family)};
}

void Tjeu::showHand() {
    const std::vector<Card>& hand = partida_.game().table().hands.at(size_t(Partida::child));
    for (int i = 0; i < tp::handCapacity; ++i) {
        const bool shown = i < int(hand.size());
        man(i + 1)->setVisible(shown);
        banda_.at(size_t(i))->setVisible(shown);
        if (!shown)
            continue;
        showCard(man(i + 1), hand.at(size_t(i)));
        QPalette palette = banda_.at(size_t(i))->palette();
        palette.setColor(QPalette::Window, colours_.at(size_t(hand.at(size_t(i)).family - 1)));
        banda_.at(size_t(i))->setPalette(palette);
    }
}

// Only the legal choices of the step under way take the keyboard; the frame goes to the first.
void Tjeu::showChoices() {
    const Step step = partida_.step();
    const std::vector<int> opponents = partida_.opponentChoices();
    for (int p = 1; p <= tp::maxOpponents; ++p)
        cara(p)->setReachable(step == Step::Opponent &&
                              std::find(opponents.begin(), opponents.end(), p) != opponents.end());
    pila->setReachable(step == Step::Answer);
    const std::vector<int> families = partida_.familyChoices();
    for (int i = 1; i <= tp::handCapacity; ++i) {
        const int family = man(i)->isVisible() ? cardOf(man(i)).family : sevens::nobody;
        man(i)->setReachable(step == Step::Answer ||
                             (step == Step::Family && std::find(families.begin(), families.end(),
                                                                family) != families.end()));
    }
    const std::vector<Card> wanted = partida_.cardChoices();
    const bool showRight = step == Step::Answer && partida_.rightAnswerShown();
    for (int i = 1; i <= catalogue::cardsPerFamily; ++i) {
        const bool shown = i <= int(wanted.size()) || (showRight && i == 1);
        demanda(i)->setVisible(shown);
        demanda(i)->setReachable(shown && !showRight);
        if (shown)
            showCard(demanda(i),
                     showRight ? partida_.game().pending().card : wanted.at(size_t(i - 1)));
    }
    if (step == Step::Computer || step == Step::Over)
        takeFocusFrom(PNtaula);
    else
        focusFirstIn(PNtaula);
}

void Tjeu::showEnd() {
    QStringList winners;
    for (const int winner : partida_.game().winners())
        winners << (winner == Partida::child
                        ? phrases_.text(catalogue::Phrase::YouWon)
                        : phrases_.text(catalogue::opponentName(winner)) + QLatin1Char(' ') +
                              phrases_.text(catalogue::Phrase::HasWon));
    LBfin->setText(winners.join(QStringLiteral(" ")));
    const sevens::ChildScore& score = partida_.game().score();
    LBjustas->setText(
        QStringLiteral("responsas justas : %1 / %2").arg(score.answeredRight).arg(score.requests));
    LBjustas->setAccessibleName(LBjustas->text());
    PNfin->show();
    PNfin->raise();
    focusFirstIn(PNfin);
}

void Tjeu::speakCard(ImageControl* card) {
    if (!card->isVisible())
        return;
    const int player = ExtraireNombre(card->objectName(), 1, 0);
    if (card->objectName().startsWith(QLatin1String("cara")))
        voice_.sayWord(tablespeech::nameVoice(player));
    else
        voice_.sayWord(tablespeech::cardVoice(cardOf(card)));
}

void Tjeu::caraClick(ImageControl* sender) {
    if (partida_.pickOpponent(ExtraireNombre(sender->objectName(), 1, 0)))
        showChoices();
}

void Tjeu::manClick(ImageControl* sender) {
    const Card card = cardOf(sender);
    if (partida_.step() == Step::Answer) {
        const Partida::Answered answered = partida_.answer({true, card});
        if (answered.right) {
            tell(answered.events);
        } else {
            btnRejouerClick();
            showChoices();
        }
    } else if (partida_.pickFamily(card.family)) {
        showChoices();
    }
}

void Tjeu::demandaClick(ImageControl* sender) {
    if (partida_.step() == Step::Card)
        tell(partida_.pickCard(cardOf(sender)));
}

void Tjeu::pilaClick() {
    if (partida_.step() != Step::Answer)
        return;
    const Partida::Answered answered = partida_.answer({false, Card{}});
    if (answered.right) {
        tell(answered.events);
        return;
    }
    btnRejouerClick();
    showChoices();
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
    if (event->key() == Qt::Key_R && PNtaula->isVisible() && !event->isAutoRepeat()) {
        guard::run([this] { btnRejouerClick(); });
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && PNchoix->isVisible() && !qobject_cast<QPushButton*>(focusWidget()) &&
        !event->isAutoRepeat()) {
        guard::run([this] { btnJogarClick(); });
        event->accept();
        return;
    }
    Form::keyPressEvent(event);
}

} // namespace Ujeu
