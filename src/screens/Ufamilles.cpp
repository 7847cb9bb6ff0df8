// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The family explorer's layout and handlers.
#include "screens/Ufamilles.h"

#include "assets/Catalogue.h"
#include "assets/DisplaySizes.h"
#include "assets/VoiceTexts.h"
#include "audio/MediaPlayerMP3.h"
#include "pictures/PictureLoader.h"
#include "text/fichiers_Chaines.h"
#include "toolkit/Guard.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

namespace Ufamilles {

TFfamilles* Ffamilles = nullptr;
bool sonPret = false;
int32_t familleChoisie = 0;

namespace {

constexpr int fontHeight = 11;

constexpr QRect choixRect(0, 0, 689, 529);
// Four miniatures in the top row, three in the lower one.
constexpr QPoint miniatureAt[catalogue::familyCount] = {
    {8, 24}, {176, 24}, {344, 24}, {512, 24}, {88, 264}, {264, 264}, {440, 264},
};

constexpr QRect cartesRect(0, 0, 689, 577);
constexpr QRect carteRect(QPoint(1, 1), displaysize::largeCard);
// Two columns of small cards; the eighth place holds the other-choice picture.
constexpr QPoint smallCardAt[catalogue::cardsPerFamily] = {
    {449, 1}, {577, 1}, {449, 145}, {577, 145}, {449, 289}, {577, 289}, {449, 433},
};
constexpr QPoint autreChoixAt(577, 433);

ImageControl* pointedPicture(QWidget* parent, const QString& name, QPoint at, QSize size) {
    auto* image = new ImageControl(parent, name, QRect(at, size));
    image->setCursor(Qt::PointingHandCursor);
    image->setReachable(true);
    return image;
}

int numberIn(const QObject* sender) {
    return ExtraireNombre(sender->objectName(), 1, -1);
}

} // namespace

TFfamilles::TFfamilles()
    : Form(QStringLiteral("Ffamilles"), QStringLiteral("Las set familhas"), Qt::white, fontHeight),
      MediaPlayerMP3(std::make_unique<::MediaPlayerMP3>()), texts_(VoiceTexts::defaultSet()) {
    Ffamilles = this;
    buildChoice();
    buildCards();
}

TFfamilles::~TFfamilles() {
    Ffamilles = nullptr;
}

void TFfamilles::buildChoice() {
    PNchoix = new Panel(this, QStringLiteral("PNchoix"), choixRect, Qt::white);
    PNchoix->setAccessibleName(QStringLiteral("las familhas"));
    connect(PNchoix, &Panel::mouseMoved, this,
            [this](Panel* s) { guard::run([&] { PNchoixMouseMove(s); }); });

    for (int k = 1; k <= catalogue::familyCount; ++k) {
        ImageControl* image = pointedPicture(PNchoix, QStringLiteral("fam%1").arg(k),
                                             miniatureAt[k - 1], displaysize::miniature);
        connect(image, &ImageControl::mouseMoved, this,
                [this](ImageControl* s) { guard::run([&] { fam1MouseMove(s); }); });
        connect(image, &ImageControl::clicked, this,
                [this](ImageControl* s) { guard::run([&] { fam7Click(s); }); });
        // The keyboard and a touch cross bare panel on the way, as the pointer does.
        connect(image, &ImageControl::arrived, this, [this](ImageControl* s) {
            guard::run([&] {
                PNchoixMouseMove(PNchoix);
                fam1MouseMove(s);
            });
        });
        fam_[size_t(k - 1)] = image;
    }
}

void TFfamilles::buildCards() {
    PNcartes = new Panel(this, QStringLiteral("PNcartes"), cartesRect, Qt::white);
    PNcartes->setAccessibleName(QStringLiteral("las cartas"));
    PNcartes->hide();
    connect(PNcartes, &Panel::mouseMoved, this,
            [this](Panel* s) { guard::run([&] { PNchoixMouseMove(s); }); });

    // No move handler: movements over the large card neither silence nor re-arm.
    carte = new ImageControl(PNcartes, QStringLiteral("carte"), carteRect);
    carte->setProportional(true);

    for (int i = 1; i <= catalogue::cardsPerFamily; ++i) {
        ImageControl* image = pointedPicture(PNcartes, QStringLiteral("Image%1").arg(i),
                                             smallCardAt[i - 1], displaysize::smallCard);
        connect(image, &ImageControl::mouseMoved, this,
                [this](ImageControl* s) { guard::run([&] { Image7MouseMove(s); }); });
        // Arriving on a card speaks it; Enter, a click or a press says its word again.
        for (auto signal : {&ImageControl::arrived, &ImageControl::clicked})
            connect(image, signal, this, [this](ImageControl* s) {
                guard::run([&] {
                    PNchoixMouseMove(PNcartes);
                    Image7MouseMove(s);
                });
            });
        Image_[size_t(i - 1)] = image;
    }

    btnAutreChoix = pointedPicture(PNcartes, QStringLiteral("btnAutreChoix"), autreChoixAt,
                                   displaysize::smallCard);
    btnAutreChoix->setTransparent(true);
    btnAutreChoix->setPicture(pictures::embedded(QStringLiteral(":/art/autreChoix.bmp")));
    btnAutreChoix->setAccessibleName(QStringLiteral("auta causida"));
    connect(btnAutreChoix, &ImageControl::clicked, this,
            [this](ImageControl* s) { guard::run([&] { btnAutreChoixClick(s); }); });
    connect(btnAutreChoix, &ImageControl::arrived, this,
            [this] { guard::run([&] { PNchoixMouseMove(PNcartes); }); });
}

void TFfamilles::FormShow() {
    centre();
    texts_ = VoiceTexts::ofCurrentSet();
    for (int k = 1; k <= catalogue::familyCount; ++k)
        fam(k)->setAccessibleName(texts_.cardWord(catalogue::titleNumber(k)));
    for (int k = 1; k <= catalogue::familyCount; ++k)
        fam(k)->loadFromFile(catalogue::miniature(catalogue::cardNumber(k, 1)));
    sonPret = true;
}

void TFfamilles::FormClose(CloseAction&) {
    backToChoice();
}

void TFfamilles::fam1MouseMove(QObject* sender) {
    if (!sonPret)
        return;
    speak(catalogue::cardSound(catalogue::titleNumber(numberIn(sender))));
}

void TFfamilles::fam7Click(QObject* sender) {
    const int k = numberIn(sender);
    // The cards carry their family's words before the frame arrives on one, so that a screen
    // reader never says the word of the family seen before.
    carte->setAccessibleName(texts_.cardWord(catalogue::titleNumber(k)));
    for (int i = 1; i <= catalogue::cardsPerFamily; ++i)
        Image(i)->setAccessibleName(texts_.cardWord(catalogue::cardNumber(k, i)));
    takeFocusFrom(PNchoix); // the family's name goes on over the cards
    PNchoix->hide();
    PNcartes->show();
    focusFirstIn(PNcartes);
    familleChoisie = k;
    carte->loadFromFile(catalogue::blankCard());
    for (int i = 1; i <= catalogue::cardsPerFamily; ++i)
        Image(i)->loadFromFile(catalogue::smallCard(catalogue::cardNumber(k, i)));
}

void TFfamilles::PNchoixMouseMove(QObject*) {
    MediaPlayerMP3->close();
    sonPret = true;
}

void TFfamilles::Image7MouseMove(QObject* sender) {
    if (!sonPret)
        return;
    const int n = catalogue::cardNumber(familleChoisie, numberIn(sender));
    carte->loadFromFile(catalogue::largeCard(n));
    carte->setAccessibleName(texts_.cardWord(n));
    speak(catalogue::cardSound(n));
}

void TFfamilles::speak(const QString& soundFile) {
    MediaPlayerMP3->close();
    MediaPlayerMP3->setFileName(soundFile);
    MediaPlayerMP3->open();
    MediaPlayerMP3->play();
    sonPret = false;
}

void TFfamilles::btnAutreChoixClick(QObject*) {
    backToChoice();
}

// The other-choice picture and the close box both go back to the family choice, silent, the
// frame on the family just visited.
void TFfamilles::backToChoice() {
    PNchoix->show();
    if (PNcartes->isVisibleTo(this) && familleChoisie >= 1)
        fam(familleChoisie)->setFocus(Qt::OtherFocusReason);
    takeFocusFrom(PNcartes);
    PNcartes->hide();
    MediaPlayerMP3->close();
}

} // namespace Ufamilles
