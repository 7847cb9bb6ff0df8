// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Card pictures: a rounded frame in the family's colour, the pictogram, the word under it.
#include "cardart/CardPainter.h"

#include "assets/DisplaySizes.h"
#include "cardart/BackPainter.h"
#include "cardart/Lettering.h"
#include "cardart/PictogramPainter.h"
#include "cardart/Style.h"

#include <QPainter>

namespace drawing {

namespace {

// Large card layout, in pixels of the 424 x 576 picture; a taller card keeps the header, the art
// and the word where they are, and grows its face and frame down to the strip at its foot.
constexpr qreal largeRadius = 26;
constexpr QRectF largeHeader{24, 12, 376, 58};
constexpr qreal faceSide = 20;
constexpr qreal faceTop = 74;
constexpr qreal faceBottomMargin = 20;
constexpr qreal faceRadius = largeRadius - 8;
constexpr QRectF largeArt{52, 92, 320, 300};
constexpr QRectF largeWord{30, 396, 364, 82};
constexpr qreal stripFromBottom = 86;
constexpr qreal largeStripSlot = 50;
constexpr qreal largeStripArt = 38;
constexpr qreal frameStroke = 2;
constexpr qreal ownMemberStroke = 3;
constexpr qreal ownMemberRadius = 8;

// Small card layout, in pixels of the 100 x 138 picture.
constexpr QRectF smallFrame{1, 1, 98, 136};
constexpr QRectF smallFace{6, 6, 88, 126};
constexpr QRectF smallArt{14, 12, 72, 72};
constexpr QRectF smallWord{8, 88, 84, 38};

// Miniature layout, in pixels of the 158 x 217 picture.
constexpr QRectF miniFrame{2, 2, 154, 213};
constexpr QSizeF miniCard{60, 82};
constexpr QPointF miniPivot{79, 232};
constexpr qreal miniCardCentre = 140; // distance from the pivot of the hand
constexpr QRectF miniName{8, 164, 142, 46};
constexpr qreal fanAngle = 15;
constexpr QRectF miniArt{14, 14, 130, 148};

QImage blankPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(style::panel());
    return image;
}

void drawFrame(QPainter& painter, const QRectF& frame, qreal radius, const QColor& colour) {
    painter.setPen(QPen(colour.darker(125), 2));
    painter.setBrush(colour);
    painter.drawRoundedRect(frame, radius, radius);
}

void drawFace(QPainter& painter, const QRectF& face, qreal radius, const QColor& colour) {
    painter.setPen(QPen(colour.darker(115), 1.5));
    painter.setBrush(style::cardFace());
    painter.drawRoundedRect(face, radius, radius);
}

// The family's seven pictograms in a row, this card's bright and the others faded, as the
// game's cards list the family they belong to.
void drawFamilyStrip(QPainter& painter, qreal height, const Family& family, const Card& card,
                     const CardPainter::StripArt& strip) {
    const qreal left = CardPainter::unitsWide / 2 - largeStripSlot * family.cards.size() / 2;
    const qreal top = height - stripFromBottom;
    for (size_t i = 0; i < family.cards.size(); ++i) {
        const QRectF slot(left + i * largeStripSlot, top, largeStripSlot, largeStripSlot);
        QRectF art(0, 0, largeStripArt, largeStripArt);
        art.moveCenter(slot.center());
        const bool current = family.cards[i].number == card.number;
        if (current) {
            // Its own member framed, so a child who cannot read sees which card it is.
            painter.setPen(QPen(family.colour.darker(140), ownMemberStroke));
            painter.setBrush(family.colour.lighter(160));
            painter.drawRoundedRect(slot.adjusted(1, 1, -1, -1), ownMemberRadius, ownMemberRadius);
        }
        painter.setOpacity(current ? 1.0 : 0.35);
        strip(painter, family.cards[i], art);
        painter.setOpacity(1.0);
    }
}

CardPainter::Art pictogramOf(const Family& family, const Card& card) {
    return [&family, &card](QPainter& painter, const QRectF& area) {
        PictogramPainter::draw(painter, card.picture, area, family.colour);
    };
}

} // namespace

QImage CardPainter::largeCard(const Family& family, const Card& card) {
    return largeCard(family, card, pictogramOf(family, card));
}

QImage CardPainter::smallCard(const Family& family, const Card& card) {
    return smallCard(family, card, pictogramOf(family, card));
}

QRectF CardPainter::largeArtArea() {
    return largeArt;
}

QRectF CardPainter::smallArtArea() {
    return smallArt;
}

QRectF CardPainter::miniatureArtArea() {
    return miniArt;
}

QImage CardPainter::largeCard(const Family& family, const Card& card, const Art& art) {
    return largeCard(family, card, art,
                     [&family](QPainter& painter, const Card& shown, const QRectF& area) {
                         PictogramPainter::draw(painter, shown.picture, area, family.colour);
                     });
}

QImage CardPainter::largeCard(const Family& family, const Card& card, const Art& art,
                              const StripArt& strip) {
    QImage image = blankPicture(displaysize::largeCard);
    QPainter painter(&image);
    paintLarge(painter, screenFormat(), family, card, art, strip);
    return image;
}

CardPainter::Format CardPainter::paperFormat(qreal bleedMm) {
    const qreal unitsPerMm = unitsWide / style::paperCardWidthMm;
    // The frame's stroke ends at the card's edge, where the paper is cut.
    return {style::paperCardHeightMm * unitsPerMm, frameStroke / 2, bleedMm * unitsPerMm};
}

qreal CardPainter::printScale() {
    return style::paperCardWidthMm / style::mmPerInch * style::printDpi / unitsWide;
}

void CardPainter::paintFrame(QPainter& painter, const Format& format, const QColor& colour) {
    const QRectF card(0, 0, unitsWide, format.height);
    painter.setRenderHint(QPainter::Antialiasing);
    if (format.bleed > 0) {
        // Paper cut anywhere within the bleed shows the frame's colour to its edge.
        painter.fillRect(card.adjusted(-format.bleed, -format.bleed, format.bleed, format.bleed),
                         colour);
        return;
    }
    drawFrame(painter, card.adjusted(format.inset, format.inset, -format.inset, -format.inset),
              largeRadius, colour);
}

void CardPainter::paintFace(QPainter& painter, const Format& format, const QColor& colour) {
    drawFace(painter,
             QRectF(faceSide, faceTop, unitsWide - 2 * faceSide,
                    format.height - faceTop - faceBottomMargin),
             faceRadius, colour);
}

void CardPainter::paintLarge(QPainter& painter, const Format& format, const Family& family,
                             const Card& card, const Art& art, const StripArt& strip) {
    paintFrame(painter, format, family.colour);
    const QFont title =
        Lettering::fitted(style::titleFont, false, 40, family.name, largeHeader.width());
    Lettering::drawOutlined(painter, title, largeHeader, family.name, Qt::white,
                            family.colour.darker(150), 1.5);
    paintFace(painter, format, family.colour);
    art(painter, largeArt);
    const QFont word = Lettering::fitted(style::wordFont, true, 60, card.word, largeWord.width());
    Lettering::drawOutlined(painter, word, largeWord, card.word, style::ink(), Qt::white, 0);
    drawFamilyStrip(painter, format.height, family, card, strip);
}

QImage CardPainter::smallCard(const Family& family, const Card& card, const Art& art) {
    QImage image = blankPicture(displaysize::smallCard);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFrame(painter, smallFrame, 10, family.colour);
    drawFace(painter, smallFace, 7, family.colour);
    art(painter, smallArt);
    const QFont word = Lettering::fitted(style::wordFont, true, 19, card.word, smallWord.width());
    Lettering::drawOutlined(painter, word, smallWord, card.word, style::ink(), Qt::white, 0);
    return image;
}

QImage CardPainter::miniature(const Family& family) {
    QImage image = blankPicture(displaysize::miniature);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFrame(painter, miniFrame, 16, family.colour);
    // Three of the family's cards fanned out in the hand: the first, the middle and the last.
    const int shown[] = {0, 3, 6};
    const qreal angles[] = {-fanAngle, 0, fanAngle};
    for (int i = 0; i < 3; ++i) {
        painter.save();
        painter.translate(miniPivot);
        painter.rotate(angles[i]);
        const QRectF face(-miniCard.width() / 2, -miniCardCentre - miniCard.height() / 2,
                          miniCard.width(), miniCard.height());
        painter.setPen(QPen(family.colour.darker(140), 1.5));
        painter.setBrush(style::cardFace());
        painter.drawRoundedRect(face, 8, 8);
        const QRectF art = face.adjusted(5, 10, -5, -10);
        PictogramPainter::draw(painter, family.cards[shown[i]].picture, art, family.colour);
        painter.restore();
    }
    const QFont name =
        Lettering::fitted(style::titleFont, false, 30, family.name, miniName.width());
    Lettering::drawOutlined(painter, name, miniName, family.name, Qt::white,
                            family.colour.darker(160), 1.5);
    return image;
}

QImage CardPainter::miniature(const Family& family, const Art& art) {
    QImage image = blankPicture(displaysize::miniature);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFrame(painter, miniFrame, 16, family.colour);
    art(painter, miniArt);
    const QFont name =
        Lettering::fitted(style::titleFont, false, 30, family.name, miniName.width());
    Lettering::drawOutlined(painter, name, miniName, family.name, Qt::white,
                            family.colour.darker(160), 1.5);
    return image;
}

QImage CardPainter::blankCard(const std::vector<Family>& families) {
    QImage image = blankPicture(displaysize::largeCard);
    QPainter painter(&image);
    BackPainter::paint(painter, screenFormat(), families);
    return image;
}

} // namespace drawing
