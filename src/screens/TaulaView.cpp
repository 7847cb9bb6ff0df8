// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The table's controls, created in the order the arrow keys go through them, and their drawing.
#include "screens/TaulaView.h"

#include "assets/ContentReader.h"
#include "assets/PhraseTexts.h"
#include "assets/VoiceTexts.h"
#include "pictures/PictureLoader.h"
#include "screens/Partida.h"
#include "toolkit/FocusOverlay.h"
#include "toolkit/Fonts.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Transparency.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace tp = tableplaces;
using sevens::Card;
using Step = Partida::Step;

namespace {

constexpr int tableFont = 13;
constexpr int tableButtonFont = 16;
constexpr const char* cardProperty = "card";
constexpr const char* loadedProperty = "loadedCard"; // the card whose picture is shown
constexpr QRect endText(16, 16, 600, 40);
constexpr QRect endCount(16, 64, 400, 30);
constexpr QRect tornarRect(520, 70, 220, 50);
const char* const faces[tp::maxOpponents] = {":/art/joana.bmp", ":/art/peire.bmp",
                                             ":/art/guilhem.bmp"};

QPushButton* tableButton(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(rect);
    b->setFont(fonts::sans(tableButtonFont));
    FocusOverlay::follow(b, [](const QWidget* w) { return w->rect(); });
    return b;
}

QLabel* tableLabel(QWidget* parent, const QString& name, QPoint at, int width) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(fonts::sans(tableFont));
    l->setGeometry(QRect(at, QSize(width, tableFont + 8)));
    return l;
}

ImageControl* cardControl(QWidget* parent, const QString& name, QRect rect) {
    auto* card = new ImageControl(parent, name, rect);
    card->setCursor(Qt::PointingHandCursor);
    return card;
}

QString cardsText(int count) {
    return count == 1 ? QStringLiteral("1 carta") : QStringLiteral("%1 cartas").arg(count);
}

QString familiesText(int count) {
    return count == 1 ? QStringLiteral("1 familha") : QStringLiteral("%1 familhas").arg(count);
}

template <class T> bool contains(const std::vector<T>& list, const T& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

TaulaView::TaulaView(QWidget* parent)
    : Panel(parent, QStringLiteral("PNtaula"), tp::tableRect, Qt::white) {
    QFile families(QStringLiteral(":/texts/familles.txt"));
    if (families.open(QIODevice::ReadOnly))
        for (const content::Family& family : content::ContentReader::parseFamilies(
                 QString::fromUtf8(families.readAll()), catalogue::familiesText))
            colours_.at(size_t(family.index - 1)) = family.colour;
    for (int p = 1; p <= tp::maxOpponents; ++p) {
        const QPoint at = tp::firstFace + QPoint(0, (p - 1) * tp::opponentStep);
        cara_.at(size_t(p - 1)) =
            cardControl(this, QStringLiteral("cara%1").arg(p), {at, tp::face});
        cara(p)->setPicture(pictures::embedded(QLatin1String(faces[p - 1])));
        const auto line = [&](const char* name, int top) {
            return tableLabel(this, QLatin1String(name) + QString::number(p),
                              {tp::labelsLeft, at.y() + top}, tp::labelWidth);
        };
        nom_.at(size_t(p - 1)) = line("nom", tp::nameTop);
        cartas_.at(size_t(p - 1)) = line("cartas", tp::countTop);
        familhas_.at(size_t(p - 1)) = line("familhas", tp::familiesTop);
    }
    pila = cardControl(this, QStringLiteral("pila"), tp::pile);
    pila->setProportional(true);
    LBpila = tableLabel(this, QStringLiteral("LBpila"), tp::pileLabel, tp::labelWidth);
    for (int i = 1; i <= catalogue::cardsPerFamily; ++i)
        demanda_.at(size_t(i - 1)) =
            cardControl(this, QStringLiteral("demanda%1").arg(i),
                        {QPoint(tp::right + (i - 1) * tp::askStep, tp::askTop), tp::card});
    LBtu = tableLabel(this, QStringLiteral("LBtu"), {tp::right, tp::childLineTop}, tp::end.width());
    for (int i = 0; i < tp::handCapacity; ++i) {
        auto* band = new QFrame(this);
        band->setGeometry(QRect(tp::cellAt(i), tp::cell));
        band->setAutoFillBackground(true);
        banda_.at(size_t(i)) = band;
    }
    for (int i = 0; i < tp::handCapacity; ++i)
        man_.at(size_t(i)) =
            cardControl(this, QStringLiteral("man%1").arg(i + 1),
                        {tp::cellAt(i) + QPoint(tp::cellBorder, tp::cellBorder), tp::card});
    // Last of the table in the keyboard's order: the frame goes to the first legal card before it.
    btnRejouer = tableButton(this, "btnRejouer", QStringLiteral("tornar jogar lo son"), tp::replay);
    btnRejouer->setIcon(QIcon(QPixmap::fromImage(
        transparency::withoutGround(pictures::embedded(QStringLiteral(":/art/rejouer.bmp"))))));
    btnRejouer->setIconSize(tp::speaker);
    btnRejouer->setFont(fonts::sans(tableFont));
    buildEnd();
}

void TaulaView::buildEnd() {
    PNfin = new Panel(this, QStringLiteral("PNfin"), tp::end, Qt::white);
    PNfin->hide();
    LBfin = tableLabel(PNfin, QStringLiteral("LBfin"), endText.topLeft(), endText.width());
    LBfin->setFont(fonts::sans(2 * tableButtonFont));
    LBfin->setFixedHeight(endText.height());
    LBjustas = tableLabel(PNfin, QStringLiteral("LBjustas"), endCount.topLeft(), endCount.width());
    btnTornar = tableButton(PNfin, "btnTornar", QStringLiteral("Tornar jogar"), tornarRect);
}

void TaulaView::showGame(const Partida& partida, const VoiceTexts& texts,
                         const PhraseTexts& phrases, int laidFamily) {
    const sevens::Table& table = partida.game().table();
    for (int p = 1; p <= tp::maxOpponents; ++p) {
        const bool seated = p < table.players();
        for (QWidget* w : std::initializer_list<QWidget*>{cara(p), nom(p), cartas(p), familhas(p)})
            w->setVisible(seated);
        if (!seated)
            continue;
        const int count = int(table.hands.at(size_t(p)).size());
        const QString name = phrases.text(catalogue::opponentName(p));
        nom(p)->setText(name);
        cartas(p)->setText(cardsText(count));
        familhas(p)->setText(familiesText(int(table.laidDown.at(size_t(p)).size())));
        cara(p)->setAccessibleName(name + QStringLiteral(", ") + cardsText(count));
        // The player whose turn it is stands out.
        QFont font = nom(p)->font();
        font.setBold(partida.game().current() == p && partida.step() != Step::Over);
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
    showHand(partida, texts);
    showChoices(partida, texts, laidFamily);
    if (partida.step() == Step::Over)
        showEnd(partida, phrases);
    else
        PNfin->hide();
    // The pictures last: one that cannot be loaded ends the showing here, with every card
    // already where the game has it and named by its word.
    for (ImageControl* control : findChildren<ImageControl*>(Qt::FindDirectChildrenOnly)) {
        const QVariant number = control->property(cardProperty);
        if (control->isVisibleTo(this) && number.isValid() &&
            control->property(loadedProperty) != number) {
            control->loadFromFile(catalogue::smallCard(number.toInt()));
            control->setProperty(loadedProperty, number);
        }
    }
}

void TaulaView::showCard(ImageControl* control, Card card, const VoiceTexts& texts) {
    const int number = catalogue::cardNumber(card.family, card.slot);
    control->setProperty(cardProperty, number);
    control->setAccessibleName(texts.cardWord(number));
}

Card TaulaView::cardOf(const ImageControl* control) {
    const int number = control->property(cardProperty).toInt();
    const int family = (number - 1) / (catalogue::cardsPerFamily + 1) + 1;
    return {family, number - catalogue::titleNumber(family)};
}

void TaulaView::showHand(const Partida& partida, const VoiceTexts& texts) {
    const std::vector<Card>& hand = partida.game().table().hands.at(size_t(Partida::child));
    for (int i = 0; i < tp::handCapacity; ++i) {
        const bool shown = i < int(hand.size());
        man(i + 1)->setVisible(shown);
        banda_.at(size_t(i))->setVisible(shown);
        if (!shown)
            continue;
        showCard(man(i + 1), hand.at(size_t(i)), texts);
        QPalette palette = banda_.at(size_t(i))->palette();
        palette.setColor(QPalette::Window, colours_.at(size_t(hand.at(size_t(i)).family - 1)));
        banda_.at(size_t(i))->setPalette(palette);
    }
}

void TaulaView::showChoices(const Partida& partida, const VoiceTexts& texts, int laidFamily) {
    const Step step = partida.step();
    const std::vector<int> opponents = partida.opponentChoices();
    for (int p = 1; p <= tp::maxOpponents; ++p)
        cara(p)->setReachable(step == Step::Opponent && contains(opponents, p));
    pila->setReachable(step == Step::Answer);
    const std::vector<int> families = partida.familyChoices();
    for (int i = 1; i <= tp::handCapacity; ++i)
        man(i)->setReachable(man(i)->isVisibleTo(this) &&
                             (step == Step::Answer ||
                              (step == Step::Family && contains(families, cardOf(man(i)).family))));
    // The wanted cards; after the second wrong answer, the card asked for, with its word; else
    // the family just laid down, its seven cards face up.
    const std::vector<Card> wanted = partida.cardChoices();
    const bool showRight = step == Step::Answer && partida.rightAnswerShown();
    const bool showLaid = wanted.empty() && !showRight && laidFamily != sevens::nobody;
    for (int i = 1; i <= catalogue::cardsPerFamily; ++i) {
        const bool shown = i <= int(wanted.size()) || (showRight && i == 1) || showLaid;
        demanda(i)->setVisible(shown);
        demanda(i)->setReachable(shown && !showRight && !showLaid);
        if (showLaid)
            showCard(demanda(i), Card{laidFamily, i}, texts);
        else if (shown)
            showCard(demanda(i),
                     showRight ? partida.game().pending().card : wanted.at(size_t(i - 1)), texts);
    }
}

void TaulaView::showEnd(const Partida& partida, const PhraseTexts& phrases) {
    QStringList winners;
    for (const int winner : partida.game().winners())
        winners << (winner == Partida::child
                        ? phrases.text(catalogue::Phrase::YouWon)
                        : phrases.text(catalogue::opponentName(winner)) + QLatin1Char(' ') +
                              phrases.text(catalogue::Phrase::HasWon));
    LBfin->setText(winners.join(QLatin1Char(' ')));
    const sevens::ChildScore& score = partida.game().score();
    LBjustas->setText(
        QStringLiteral("responsas justas : %1 / %2").arg(score.answeredRight).arg(score.requests));
    LBjustas->setAccessibleName(LBjustas->text());
    PNfin->show();
    PNfin->raise();
}
