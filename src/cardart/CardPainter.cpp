// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Card pictures: a rounded frame in the family's colour, the pictogram, the word under it.
#include "cardart/CardPainter.h"

#include "assets/DisplaySizes.h"
#include "cardart/EmojiRenderer.h"
#include "cardart/Lettering.h"
#include "cardart/PictogramPainter.h"
#include "cardart/Style.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace drawing {

namespace {

// Large card layout, in pixels of the 424 x 576 picture.
constexpr qreal largeRadius = 26;
constexpr QRectF largeFrame{3, 3, 418, 570};
constexpr QRectF largeHeader{24, 12, 376, 58};
constexpr QRectF largeFace{20, 74, 384, 482};
constexpr QRectF largeArt{52, 92, 320, 300};
constexpr QRectF largeWord{30, 396, 364, 82};
constexpr qreal largeStripTop = 490;
constexpr qreal largeStripSlot = 50;
constexpr qreal largeStripArt = 38;

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
void drawFamilyStrip(QPainter& painter, const Family& family, const Card& card,
                     const CardPainter::StripArt& strip) {
    const qreal left = largeFace.center().x() - largeStripSlot * family.cards.size() / 2;
    for (size_t i = 0; i < family.cards.size(); ++i) {
        const QRectF slot(left + i * largeStripSlot, largeStripTop, largeStripSlot, largeStripSlot);
        QRectF art(0, 0, largeStripArt, largeStripArt);
        art.moveCenter(slot.center());
        const bool current = family.cards[i].number == card.number;
        if (current) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(family.colour.lighter(160));
            painter.drawEllipse(slot.adjusted(1, 1, -1, -1));
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
    painter.setRenderHint(QPainter::Antialiasing);
    drawFrame(painter, largeFrame, largeRadius, family.colour);
    const QFont title =
        Lettering::fitted(style::titleFont, false, 40, family.name, largeHeader.width());
    Lettering::drawOutlined(painter, title, largeHeader, family.name, Qt::white,
                            family.colour.darker(150), 1.5);
    drawFace(painter, largeFace, largeRadius - 8, family.colour);
    art(painter, largeArt);
    const QFont word = Lettering::fitted(style::wordFont, true, 60, card.word, largeWord.width());
    Lettering::drawOutlined(painter, word, largeWord, card.word, style::ink(), Qt::white, 0);
    drawFamilyStrip(painter, family, card, strip);
    return image;
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
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor back = style::cardBack();
    drawFrame(painter, largeFrame, largeRadius, back);

    // A lattice of fine diagonal lines inside a gold border.
    const QRectF inner = largeFrame.adjusted(16, 16, -16, -16);
    QPainterPath clip;
    clip.addRoundedRect(inner, largeRadius - 10, largeRadius - 10);
    painter.save();
    painter.setClipPath(clip);
    painter.setPen(QPen(back.lighter(135), 2));
    constexpr int latticeStep = 28;
    const int span = int(inner.width() + inner.height());
    for (int d = -span; d < span; d += latticeStep) {
        painter.drawLine(QPointF(inner.left() + d, inner.top()),
                         QPointF(inner.left() + d + inner.height(), inner.bottom()));
        painter.drawLine(QPointF(inner.left() + d, inner.bottom()),
                         QPointF(inner.left() + d + inner.height(), inner.top()));
    }
    painter.restore();
    painter.setPen(QPen(QColor(0xF2, 0xC9, 0x4C), 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner, largeRadius - 10, largeRadius - 10);

    // The seven families as a ring of coloured rounds around a star.
    const QPointF centre = largeFrame.center();
    painter.setPen(QPen(QColor(0xF2, 0xC9, 0x4C), 4));
    painter.setBrush(style::cardFace());
    painter.drawEllipse(centre, 128, 128);
    for (size_t i = 0; i < families.size(); ++i) {
        const qreal angle = 2 * M_PI * i / families.size() - M_PI / 2;
        const QPointF spot = centre + 84 * QPointF(qCos(angle), qSin(angle));
        painter.setPen(QPen(families[i].colour.darker(130), 3));
        painter.setBrush(families[i].colour);
        painter.drawEllipse(spot, 26, 26);
    }
    EmojiRenderer::draw(painter, QStringLiteral("\u2B50"),
                        QRectF(centre - QPointF(40, 40), QSizeF(80, 80)));
    return image;
}

} // namespace drawing
