// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A font's points become the device's pixels, so the painter's millimetres are undone first.
#include "deck/SheetText.h"

#include "cardart/Style.h"

#include <QPaintDevice>
#include <QPainter>

namespace deck {

void SheetText::draw(QPainter& painter, const QRectF& box, const QString& text, qreal points,
                     int alignment, bool upright) {
    painter.save();
    painter.translate(box.center());
    if (!upright)
        painter.rotate(-90);
    const qreal pixelsPerMm = painter.device()->logicalDpiY() / drawing::style::mmPerInch;
    painter.scale(1 / pixelsPerMm, 1 / pixelsPerMm);
    const QSizeF size = (upright ? box.size() : box.size().transposed()) * pixelsPerMm;
    QFont font(QString::fromLatin1(drawing::style::wordFont));
    font.setPointSizeF(points);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size),
                     alignment | Qt::TextWordWrap, text);
    painter.restore();
}

} // namespace deck
