// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's table as the child sees it: the computer players with their cards and families, the
// pile, the wanted cards, the hand grouped by family in the families' colours, and the end.
#pragma once

#include "assets/Catalogue.h"
#include "screens/TablePlaces.h"
#include "sevens/Card.h"
#include "toolkit/Panel.h"

#include <QColor>
#include <array>

class ImageControl;
class Partida;
class PhraseTexts;
class QFrame;
class QLabel;
class QPushButton;
class VoiceTexts;

class TaulaView : public Panel {
    Q_OBJECT
public:
    explicit TaulaView(QWidget* parent);

    ImageControl* cara(int p) const { return cara_.at(size_t(p - 1)); } // players 1 to 3
    QLabel* nom(int p) const { return nom_.at(size_t(p - 1)); }
    QLabel* cartas(int p) const { return cartas_.at(size_t(p - 1)); }
    QLabel* familhas(int p) const { return familhas_.at(size_t(p - 1)); }
    ImageControl* pila;
    QLabel* LBpila;
    QPushButton* btnRejouer;
    ImageControl* demanda(int i) const { return demanda_.at(size_t(i - 1)); } // 1 to 7
    QLabel* LBtu;
    ImageControl* man(int i) const { return man_.at(size_t(i - 1)); } // 1 to handCapacity
    Panel* PNfin;
    QLabel* LBfin;
    QLabel* LBjustas;
    QPushButton* btnTornar;

    // Shows the game as it stands; only the legal choices of the step under way take the keyboard.
    // A family just laid down shows face up where the wanted cards go, while they are not asked.
    void showGame(const Partida& partida, const VoiceTexts& texts, const PhraseTexts& phrases,
                  int laidFamily);
    // The card a card control shows.
    static sevens::Card cardOf(const ImageControl* control);

private:
    void buildEnd();
    void showHand(const Partida& partida, const VoiceTexts& texts);
    void showChoices(const Partida& partida, const VoiceTexts& texts, int laidFamily);
    void showEnd(const Partida& partida, const PhraseTexts& phrases);
    static void showCard(ImageControl* control, sevens::Card card, const VoiceTexts& texts);

    std::array<ImageControl*, tableplaces::maxOpponents> cara_{};
    std::array<QLabel*, tableplaces::maxOpponents> nom_{};
    std::array<QLabel*, tableplaces::maxOpponents> cartas_{};
    std::array<QLabel*, tableplaces::maxOpponents> familhas_{};
    std::array<ImageControl*, catalogue::cardsPerFamily> demanda_{};
    std::array<QFrame*, tableplaces::handCapacity> banda_{};
    std::array<ImageControl*, tableplaces::handCapacity> man_{};
    std::array<QColor, catalogue::familyCount> colours_{};
};
