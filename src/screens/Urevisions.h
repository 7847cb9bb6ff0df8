// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The review screen: the family choice, the rounds of the listening quiz and their state.
#pragma once

#include "assets/Catalogue.h"
#include "assets/VoiceTexts.h"
#include "audio/MediaPlayerMP3.h"
#include "screens/Generateur.h"
#include "screens/Tirage.h"
#include "toolkit/Form.h"

#include <array>
#include <cstdint>

class ImageControl;
class Panel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace Urevisions {

class Trevisions : public Form {
    Q_OBJECT
public:
    Trevisions();
    ~Trevisions() override;

    Panel* PNcartes;
    ImageControl* Image(int i) const { return Image_.at(size_t(i - 1)); } // Image1 to Image7
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox(int k) const { return CheckBox_.at(size_t(k - 1)); } // CheckBox1 to 7
    QPushButton* Button1;
    ::MediaPlayerMP3 MediaPlayerMP3;
    Panel* PNcompteur;
    QLabel* LBJ;
    QLabel* LBF;
    QLabel* cptJ;
    QLabel* cptF;
    QPushButton* btnRejouer;

    void Button1Click();
    void Image7Click(QObject* sender);
    void btnRejouerClick();
    // Shows a card in a board slot, named by its word for screen readers and keyboard tests.
    void showCard(int slot, int32_t card);
    // The board has just been shown: keys held or bouncing from before pick nothing on it.
    void holdBoardKeys();

protected:
    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBoard();
    void buildChoice();
    void buildCounter();
    void buildReplay();

    std::array<ImageControl*, tirage::nbCases> Image_{};
    std::array<QCheckBox*, catalogue::familyCount> CheckBox_{};
    VoiceTexts texts_; // the words of the set on show, read at each showing
};

extern Trevisions* revisions;

// The review state; every variable holds 0 at program start.
extern tirage::Pioche pioche;
extern int32_t nbPioche;
extern int32_t carteCible;
extern int32_t positionCible;
extern tirage::Table cartesAffichees; // slots 1 to 7; index 0 unused
extern int32_t nbJustes;
extern int32_t nbFausses;
// Whether pool building filled the pool in this showing: picks are judged only then.
extern bool piocheConstruite;
extern Generateur generateur;

void RazRevisions();
void ConstruirePioche();
void NouveauTirage();
void JouerSonCarte(int32_t carte);
void JugerChoix(QObject* sender);
void MajCompteurs();

} // namespace Urevisions
