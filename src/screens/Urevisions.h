// The review screen: the family choice, the rounds of the listening quiz and their state.
#pragma once

#include "audio/MediaPlayerMP3.h"
#include "screens/Generateur.h"
#include "screens/Tirage.h"
#include "toolkit/Form.h"

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
    ImageControl* Image1;
    ImageControl* Image2;
    ImageControl* Image3;
    ImageControl* Image4;
    ImageControl* Image5;
    ImageControl* Image6;
    ImageControl* Image7;
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox6;
    QCheckBox* CheckBox7;
    QPushButton* Button1;
    ::MediaPlayerMP3 MediaPlayerMP3;
    Panel* PNcompteur;
    QLabel* LBJ;
    QLabel* LBF;
    QLabel* cptJ;
    QLabel* cptF;
    QPushButton* btnRejouer;

    ImageControl* image(int caseTable) const; // Image1 to Image7
    QCheckBox* checkBox(int famille) const;   // CheckBox1 to CheckBox7

    void Button1Click();
    void Image7Click(QObject* sender);
    void btnRejouerClick();

protected:
    void FormShow() override;
    void FormClose(CloseAction& action) override;

private:
    void buildBoard();
    void buildChoice();
    void buildCounter();
    void buildReplay();
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
