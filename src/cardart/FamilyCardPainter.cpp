// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The family card wears the large card's frame and header; its face lists the family's cards.
#include "cardart/FamilyCardPainter.h"

#include "cardart/Lettering.h"
#include "cardart/Style.h"

#include <QPainter>

namespace drawing {

namespace {

// In card units, as the large card's layout.
constexpr QRectF header{24, 12, 376, 58};
constexpr qreal listTop = 84;
constexpr qreal listBottomMargin = 30;
constexpr qreal listSide = 32;
constexpr qreal artMargin = 4;
constexpr qreal wordGap = 10;
constexpr int titlePixels = 40;
constexpr int wordPixels = 40;
constexpr qreal separatorStroke = 1.5;

} // namespace

QRectF FamilyCardPainter::rowArea(const CardPainter::Format& format, int index, int rows) {
    const qreal height = (format.height - listTop - listBottomMargin) / rows;
    return {listSide, listTop + index * height, CardPainter::unitsWide - 2 * listSide, height};
}

void FamilyCardPainter::paint(QPainter& painter, const CardPainter::Format& format,
                              const Family& family, const CardPainter::StripArt& art) {
    CardPainter::paintFrame(painter, format, family.colour);
    const QFont title =
        Lettering::fitted(style::titleFont, false, titlePixels, family.name, header.width());
    Lettering::drawOutlined(painter, title, header, family.name, Qt::white,
                            family.colour.darker(150), 1.5);
    CardPainter::paintFace(painter, format, family.colour);
    const int rows = int(family.cards.size());
    for (int i = 0; i < rows; ++i) {
        const QRectF row = rowArea(format, i, rows);
        if (i > 0) {
            painter.setPen(QPen(family.colour.lighter(130), separatorStroke));
            painter.drawLine(row.topLeft(), row.topRight());
        }
        const qreal side = row.height() - 2 * artMargin;
        const QRectF picture(row.left() + artMargin, row.top() + artMargin, side, side);
        art(painter, family.cards[i], picture);
        const QRectF word(picture.right() + wordGap, row.top(),
                          row.right() - picture.right() - wordGap, row.height());
        const QFont font = Lettering::fitted(style::wordFont, true, wordPixels,
                                             family.cards[i].word, word.width());
        Lettering::drawOutlined(painter, font, word, family.cards[i].word, style::ink(), Qt::white,
                                0);
    }
}

} // namespace drawing
