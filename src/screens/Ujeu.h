// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game of the seven families: the choice of families, opponents and level, then the table
// where the child asks for cards and answers the computer players.
#pragma once

#include "assets/Catalogue.h"
#include "assets/PhraseTexts.h"
#include "assets/VoiceTexts.h"
#include "screens/ChoixPartida.h"
#include "screens/Partida.h"
#include "screens/TablePlaces.h"
#include "screens/TableVoice.h"
#include "toolkit/Form.h"

#include <QColor>
#include <QTimer>
#include <array>

class ImageControl;
class Panel;
class QFrame;
class QLabel;
class QPushButton;

namespace Ujeu {

class Tjeu : public Form {
    Q_OBJECT
public:
    Tjeu();
    ~Tjeu() override;

    ChoixPartida* PNchoix; // the choice before a game
    // The table.
    Panel* PNtaula;
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

    Partida& partida() { return partida_; }
    TableVoice& voice() { return voice_; }

    void btnJogarClick();
    void caraClick(ImageControl* sender);
    void manClick(ImageControl* sender);
    void demandaClick(ImageControl* sender);
    void pilaClick();
    void btnRejouerClick();
    void btnTornarClick();

protected:
    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTable();
    void buildEnd();
    void bindCard(ImageControl* card, void (Tjeu::*click)(ImageControl*));
    // The events of a step told and shown; the next computer turn waits for them to be heard.
    void tell(const std::vector<sevens::Event>& events);
    void proceed();
    void showTable();
    void showHand();
    void showChoices();
    void showEnd();
    void speakCard(ImageControl* card);
    sevens::Card cardOf(const ImageControl* control) const;
    void showCard(ImageControl* control, sevens::Card card);

    std::array<ImageControl*, tableplaces::maxOpponents> cara_{};
    std::array<QLabel*, tableplaces::maxOpponents> nom_{};
    std::array<QLabel*, tableplaces::maxOpponents> cartas_{};
    std::array<QLabel*, tableplaces::maxOpponents> familhas_{};
    std::array<ImageControl*, catalogue::cardsPerFamily> demanda_{};
    std::array<QFrame*, tableplaces::handCapacity> banda_{};
    std::array<ImageControl*, tableplaces::handCapacity> man_{};
    std::array<QColor, catalogue::familyCount> colours_{};

    Partida partida_;
    TableVoice voice_;
    QTimer turnTimer_;
    // The sentences of the last computer turn, heard again on request.
    std::vector<QStringList> lastTurn_;
    VoiceTexts texts_;
    PhraseTexts phrases_;
    const ImageControl* hovered_ = nullptr;
};

extern Tjeu* jeu;

} // namespace Ujeu
