// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The back is drawn the same for every card, so a card's back never tells what it is.
#include "cardart/BackPainter.h"

#include "cardart/EmojiRenderer.h"
#include "cardart/Lettering.h"
#include "cardart/Style.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace drawing {

namespace {

constexpr qreal borderInset = 16;
constexpr qreal borderRadius = 16;
constexpr int latticeStep = 28;
constexpr qreal latticeStroke = 2;
constexpr qreal goldStroke = 4;
constexpr qreal ringRadius = 128;
constexpr qreal spotDistance = 84;
constexpr qreal spotRadius = 26;
constexpr qreal spotStroke = 3;
constexpr qreal starSide = 80;
constexpr QSizeF nameBox{300, 70};
constexpr qreal nameBelowRing = 24;
constexpr int namePixels = 56;

QColor gold() {
    return QColor(0xF2, 0xC9, 0x4C);
}

void paintLattice(QPainter& painter, const QRectF& inner, const QColor& back) {
    QPainterPath clip;
    clip.addRoundedRect(inner, borderRadius, borderRadius);
    painter.save();
    painter.setClipPath(clip);
    painter.setPen(QPen(back.lighter(135), latticeStroke));
    const int span = int(inner.width() + inner.height());
    for (int d = -span; d < span; d += latticeStep) {
        painter.drawLine(QPointF(inner.left() + d, inner.top()),
                         QPointF(inner.left() + d + inner.height(), inner.bottom()));
        painter.drawLine(QPointF(inner.left() + d, inner.bottom()),
                         QPointF(inner.left() + d + inner.height(), inner.top()));
    }
    painter.restore();
    painter.setPen(QPen(gold(), goldStroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner, borderRadius, borderRadius);
}

} // namespace

void BackPainter::paint(QPainter& painter, const CardPainter::Format& format,
                        const std::vector<Family>& families, const QImage& emblem,
                        const QString& name) {
    const QColor back = style::cardBack();
    painter.setRenderHint(QPainter::Antialiasing);
    CardPainter::paintFrame(painter, format, back);
    const QRectF card(0, 0, CardPainter::unitsWide, format.height);
    const qreal inset = format.inset + borderInset;
    paintLattice(painter, card.adjusted(inset, inset, -inset, -inset), back);

    // The seven families as a ring of coloured rounds around the star or the emblem.
    const QPointF centre = card.center();
    painter.setPen(QPen(gold(), goldStroke));
    painter.setBrush(style::cardFace());
    painter.drawEllipse(centre, ringRadius, ringRadius);
    for (size_t i = 0; i < families.size(); ++i) {
        const qreal angle = 2 * M_PI * i / families.size() - M_PI / 2;
        const QPointF spot = centre + spotDistance * QPointF(qCos(angle), qSin(angle));
        painter.setPen(QPen(families[i].colour.darker(130), spotStroke));
        painter.setBrush(families[i].colour);
        painter.drawEllipse(spot, spotRadius, spotRadius);
    }
    const QRectF middle(centre - QPointF(starSide, starSide) / 2, QSizeF(starSide, starSide));
    if (emblem.isNull()) {
        EmojiRenderer::draw(painter, QStringLiteral("\u2B50"), middle);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        QSizeF fitted = emblem.size();
        fitted.scale(middle.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), fitted);
        target.moveCenter(centre);
        painter.drawImage(target, emblem);
    }
    if (!name.isEmpty()) {
        QRectF box(QPointF(), nameBox);
        box.moveCenter(centre + QPointF(0, ringRadius + nameBelowRing + nameBox.height() / 2));
        const QFont font =
            Lettering::fitted(style::titleFont, false, namePixels, name, nameBox.width());
        Lettering::drawOutlined(painter, font, box, name, gold(), back.darker(150), 2);
    }
}

} // namespace drawing
