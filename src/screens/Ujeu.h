// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game of the seven families: the choice of families, opponents and level, then the table
// where the child asks for cards and answers the computer players.
#pragma once

#include "assets/PhraseTexts.h"
#include "assets/VoiceTexts.h"
#include "screens/ChoixPartida.h"
#include "screens/Partida.h"
#include "screens/TableVoice.h"
#include "screens/TaulaView.h"
#include "toolkit/Form.h"

#include <QTimer>
#include <vector>

class ImageControl;

namespace Ujeu {

class Tjeu : public Form {
    Q_OBJECT
public:
    Tjeu();
    ~Tjeu() override;

    ChoixPartida* PNchoix; // the choice before a game
    TaulaView* PNtaula;    // the table

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
    void bindCard(ImageControl* card, void (Tjeu::*click)(ImageControl*));
    // The events of a step told and shown; the next computer turn waits for them to be heard.
    void tell(const std::vector<sevens::Event>& events);
    void proceed();
    void showGame();
    void answer(const sevens::Answer& given);
    ImageControl* rightAnswerControl() const;
    void speakCard(ImageControl* card);

    Partida partida_;
    TableVoice voice_;
    QTimer turnTimer_;
    // The sentences of the last computer turn, heard again on request.
    std::vector<QStringList> lastTurn_;
    int laidFamily_ = sevens::nobody; // laid down in the last step told
    VoiceTexts texts_;
    PhraseTexts phrases_;
    const ImageControl* hovered_ = nullptr;
};

extern Tjeu* jeu;

} // namespace Ujeu
