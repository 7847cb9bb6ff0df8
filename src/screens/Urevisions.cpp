// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The review screen's layout and handlers, and the routines that play its rounds.
#include "screens/Urevisions.h"

#include "assets/Catalogue.h"
#include "assets/DisplaySizes.h"
#include "assets/VoiceTexts.h"
#include "pictures/PictureLoader.h"
#include "text/fichiers_Chaines.h"
#include "toolkit/Dialogs.h"
#include "toolkit/FocusOverlay.h"
#include "toolkit/Fonts.h"
#include "toolkit/Guard.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/Transparency.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

namespace Urevisions {

Trevisions* revisions = nullptr;

tirage::Pioche pioche{};
int32_t nbPioche = 0;
int32_t carteCible = 0;
int32_t positionCible = 0;
tirage::Table cartesAffichees{};
int32_t nbJustes = 0;
int32_t nbFausses = 0;
bool piocheConstruite = false;
Generateur generateur;

namespace {

constexpr int fontHeight = 11;
constexpr QRect PNcartesRect(0, 0, 793, 321);
constexpr int imageLeft = 8;
constexpr int imageStep = 112;
constexpr int imageTop = 16;
constexpr QRect GroupBox1Rect(8, 184, 777, 41);
constexpr int checkBoxLefts[catalogue::familyCount] = {8, 119, 230, 341, 452, 563, 675};
constexpr int checkBoxTop = 16;
constexpr QSize checkBoxSize(90, 17);
constexpr QRect Button1Rect(304, 256, 169, 41);
constexpr QRect PNcompteurRect(496, 240, 289, 73);
constexpr QPoint LBJPos(16, 8);
constexpr QPoint LBFPos(159, 8);
constexpr QPoint cptJPos(48, 32);
constexpr QPoint cptFPos(216, 32);
constexpr QRect btnRejouerRect(9, 244, 193, 57);
constexpr int labelFont = 13;
constexpr int countCellHeight = 30;
constexpr int buttonFont = 16;
constexpr QSize speakerSize(48, 48);
const QColor silver(0xC0, 0xC0, 0xC0);
// A key still bouncing or held when a board appears is no pick on it.
constexpr std::chrono::milliseconds boardKeyHold(250);
// How far the focus frame reaches out of a family box.
constexpr int boxFrameOut = 7;

// The counts are given by the height of the whole character cell, ascent and descent.
QFont cellFont(int cellHeight) {
    for (int pixels = cellHeight; pixels > 1; --pixels) {
        const QFont font = fonts::sans(pixels);
        if (QFontMetrics(font).height() <= cellHeight)
            return font;
    }
    return fonts::sans(1);
}

QLabel* counterLabel(QWidget* parent, const char* name, QPoint pos, const QFont& font,
                     const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->move(pos);
    label->adjustSize();
    return label;
}

void setCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->adjustSize();
}

} // namespace

Trevisions::Trevisions()
    : Form(QStringLiteral("revisions"), QStringLiteral("Repassadas"), Qt::white, fontHeight),
      texts_(VoiceTexts::defaultSet()) {
    revisions = this;
    PNcartes = new Panel(this, QStringLiteral("PNcartes"), PNcartesRect, Qt::white);
    PNcartes->setAccessibleName(QStringLiteral("las cartas"));
    buildBoard();
    buildChoice();
    buildCounter();
    buildReplay();

    // Keyboard order: the boxes, "OK", then the replay button; nothing else takes the focus.
    for (int k = 2; k <= catalogue::familyCount; ++k)
        setTabOrder(CheckBox(k - 1), CheckBox(k));
    setTabOrder(CheckBox(catalogue::familyCount), Button1);
    setTabOrder(Button1, btnRejouer);
}

Trevisions::~Trevisions() {
    revisions = nullptr;
}

void Trevisions::buildBoard() {
    for (int i = 1; i <= tirage::nbCases; ++i) {
        const QRect rect(QPoint(imageLeft + (i - 1) * imageStep, imageTop), displaysize::smallCard);
        auto* img = new ImageControl(PNcartes, QStringLiteral("Image%1").arg(i), rect);
        img->setCursor(Qt::PointingHandCursor);
        img->setReachable(true);
        connect(img, &ImageControl::clicked, this,
                [this](ImageControl* s) { guard::run([&] { Image7Click(s); }); });
        Image_[size_t(i - 1)] = img;
    }
}

void Trevisions::buildChoice() {
    GroupBox1 = new QGroupBox(PNcartes);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(GroupBox1Rect);
    for (int k = 1; k <= catalogue::familyCount; ++k) {
        auto* box = new QCheckBox(texts_.cardWord(catalogue::titleNumber(k)), GroupBox1);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(k));
        box->setGeometry(QRect(QPoint(checkBoxLefts[k - 1], checkBoxTop), checkBoxSize));
        box->installEventFilter(this);
        // Round the box and its caption, in the gap between two boxes: inside it, the frame
        // would hide the family's name.
        FocusOverlay::follow(box, [](const QWidget* w) {
            return w->rect().adjusted(-boxFrameOut, -boxFrameOut, boxFrameOut, boxFrameOut);
        });
        CheckBox_[size_t(k - 1)] = box;
    }

    Button1 = new QPushButton(QStringLiteral("OK"), PNcartes);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(Button1Rect);
    Button1->setFont(fonts::sans(buttonFont));
    FocusOverlay::follow(Button1, [](const QWidget* w) { return w->rect(); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { guard::run([this] { Button1Click(); }); });
}

void Trevisions::buildCounter() {
    PNcompteur = new Panel(PNcartes, QStringLiteral("PNcompteur"), PNcompteurRect, silver);
    PNcompteur->setAccessibleName(QStringLiteral("las responsas"));
    PNcompteur->hide();
    const QFont labels = fonts::sans(labelFont);
    const QFont counts = cellFont(countCellHeight);
    LBJ = counterLabel(PNcompteur, "LBJ", LBJPos, labels, QStringLiteral("réponse(s) juste(s)"));
    LBF = counterLabel(PNcompteur, "LBF", LBFPos, labels, QStringLiteral("réponse(s) fausse(s)"));
    cptJ = counterLabel(PNcompteur, "cptJ", cptJPos, counts, QStringLiteral("0"));
    cptF = counterLabel(PNcompteur, "cptF", cptFPos, counts, QStringLiteral("0"));
}

void Trevisions::buildReplay() {
    btnRejouer = new QPushButton(QStringLiteral("tornar jogar lo son"), PNcartes);
    btnRejouer->setObjectName(QStringLiteral("btnRejouer"));
    btnRejouer->setGeometry(btnRejouerRect);
    // Our sans face is wider than the one the button was drawn for: its condensed cut keeps
    // the character height and lets the speaker and the caption share the 193 pixels.
    QFont captionFont = fonts::sans(buttonFont);
    captionFont.setStretch(QFont::SemiCondensed);
    btnRejouer->setFont(captionFont);
    btnRejouer->setIcon(QIcon(QPixmap::fromImage(
        transparency::withoutGround(pictures::embedded(QStringLiteral(":/art/rejouer.bmp"))))));
    btnRejouer->setIconSize(speakerSize);
    btnRejouer->hide();
    FocusOverlay::follow(btnRejouer, [](const QWidget* w) { return w->rect(); });
    connect(btnRejouer, &QPushButton::clicked, this,
            [this] { guard::run([this] { btnRejouerClick(); }); });
}

void Trevisions::FormShow() {
    centre();
    piocheConstruite = false; // first, so that a failing load below cannot leave it set
    texts_ = VoiceTexts::ofCurrentSet();
    for (int k = 1; k <= catalogue::familyCount; ++k) // the class's names, as the explorer's
        CheckBox(k)->setText(texts_.cardWord(catalogue::titleNumber(k)));
    for (int i = 1; i <= tirage::nbCases; ++i)
        Image(i)->setReachable(false); // nothing to pick yet: Tab starts at the boxes
    for (int i = 1; i <= tirage::nbCases; ++i)
        showCard(i, catalogue::cardNumber(i, 1));
    Button1->show();
    GroupBox1->show();
    PNcompteur->hide();
    btnRejouer->hide();
    RazRevisions();
    for (int k = 1; k <= catalogue::familyCount; ++k)
        CheckBox(k)->setChecked(false);
    MajCompteurs();
}

void Trevisions::Button1Click() {
    // A hidden button can keep the keyboard focus when it was clicked in an inactive window;
    // Space must not start a second draw on the board of the round under way.
    if (Button1->isHidden())
        return;
    ConstruirePioche();
    if (nbPioche == 0) {
        dialogs::messageDlg(QStringLiteral("n'avetz pas seleccionat arren."), dialogs::Kind::Error);
        return;
    }
    // The window holds the keyboard while the board changes: Qt would pass it from a hidden box
    // on to the next one as if Tab had been pressed, and that box would speak its family's name.
    // The frame goes to the board once its cards carry their new words, drawn or not.
    takeFocusFrom(PNcartes);
    for (int i = 1; i <= tirage::nbCases; ++i)
        Image(i)->setReachable(true);
    Button1->hide();
    GroupBox1->hide();
    btnRejouer->show();
    PNcompteur->show();
    const auto frameOnBoard = qScopeGuard([this] { focusFirstIn(PNcartes); });
    NouveauTirage();
}

void Trevisions::Image7Click(QObject* sender) {
    JugerChoix(sender);
}

void Trevisions::btnRejouerClick() {
    JouerSonCarte(carteCible);
}

void Trevisions::showCard(int slot, int32_t card) {
    Image(slot)->loadFromFile(catalogue::smallCard(card));
    Image(slot)->setAccessibleName(texts_.cardWord(card));
}

void Trevisions::holdBoardKeys() {
    for (int i = 1; i <= tirage::nbCases; ++i)
        Image(i)->holdKeys(boardKeyHold);
}

// A family box reached by the keyboard speaks the family's name, as the explorer's miniatures do.
bool Trevisions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && qobject_cast<QCheckBox*>(watched)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            const int k = ExtraireNombre(watched->objectName(), 1, -1);
            guard::run([k] { JouerSonCarte(catalogue::titleNumber(k)); });
        }
    }
    return Form::eventFilter(watched, event);
}

// R replays the word of the round, as the replay button does; only while a round is on.
// Enter on a family box ticks it, and on a ticked one starts the review: a child who cannot read
// the boxes starts a round in two keys.
void Trevisions::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_R && btnRejouer->isVisible() && !event->isAutoRepeat()) {
        guard::run([this] { btnRejouerClick(); });
        event->accept();
        return;
    }
    auto* box = qobject_cast<QCheckBox*>(focusWidget());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && box &&
        GroupBox1->isAncestorOf(box) && box->isVisible() && !event->isAutoRepeat()) {
        if (box->isChecked())
            guard::run([this] { Button1Click(); });
        else
            box->setChecked(true);
        event->accept();
        return;
    }
    Form::keyPressEvent(event);
}

void Trevisions::FormClose(CloseAction&) {
    MediaPlayerMP3.close();
}

void RazRevisions() {
    pioche.fill(tirage::vide);
    cartesAffichees.fill(tirage::vide);
    piocheConstruite = false;
    nbJustes = 0;
    nbFausses = 0;
}

void ConstruirePioche() {
    tirage::Familles choisies{};
    for (int k = 1; k <= catalogue::familyCount; ++k)
        choisies[k - 1] = revisions->CheckBox(k)->isChecked();
    nbPioche = tirage::construirePioche(choisies, pioche);
    piocheConstruite = nbPioche > 0;
}

void NouveauTirage() {
    generateur.reseed();
    tirage::tirerManche(
        generateur, pioche, nbPioche, carteCible, positionCible, cartesAffichees,
        [](int caseTable, int32_t carte) { revisions->showCard(caseTable, carte); });
    revisions->holdBoardKeys();
    JouerSonCarte(carteCible);
}

void JouerSonCarte(int32_t carte) {
    ::MediaPlayerMP3& lecteur = revisions->MediaPlayerMP3;
    lecteur.close();
    lecteur.setFileName(catalogue::cardSound(carte));
    lecteur.open();
    lecteur.play();
}

void JugerChoix(QObject* sender) {
    // In the family choice the pictures only show the families: nothing is asked yet, and a
    // right pick would draw from a pool that was not built in this showing.
    if (!piocheConstruite)
        return;
    const int32_t choix = ExtraireNombre(sender->objectName(), 1, -1);
    if (choix == positionCible) {
        dialogs::messageDlg(QStringLiteral("Exacte"), dialogs::Kind::Information);
        cartesAffichees.fill(tirage::vide);
        ++nbJustes;
        NouveauTirage();
        MajCompteurs();
    } else {
        dialogs::messageDlg(QStringLiteral("Faus"), dialogs::Kind::Error);
        revisions->holdBoardKeys(); // the board shows again
        ++nbFausses;
        MajCompteurs();
    }
}

void MajCompteurs() {
    Trevisions* ecran = revisions;
    setCaption(ecran->LBJ, nbJustes < 2 ? QStringLiteral("responsa justa")
                                        : QStringLiteral("responsas justas"));
    setCaption(ecran->LBF, nbFausses < 2 ? QStringLiteral("responsa faussa")
                                         : QStringLiteral("responsas faussas"));
    setCaption(ecran->cptJ, QString::number(nbJustes));
    setCaption(ecran->cptF, QString::number(nbFausses));
    // Read with its caption: a bare number tells a screen reader's user nothing.
    for (auto [count, caption] :
         {std::pair(ecran->cptJ, ecran->LBJ), std::pair(ecran->cptF, ecran->LBF)})
        count->setAccessibleName(caption->text() + QStringLiteral(": ") + count->text());
}

} // namespace Urevisions
