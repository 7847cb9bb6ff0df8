// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Lettering: the script outline is stretched to its box as a letterer sizes a word to its space.
#include "Lettering.h"

#include "ArtFonts.h"

#include <QPainter>
#include <QPainterPath>

namespace art {
namespace {

constexpr int referencePixelSize = 200;
// A thin pen of the ink round the outline gives the script the weight of a loaded brush.
constexpr qreal brushSwell = 0.9;
// The outline is fitted this far inside the box, so that its smoothed edge pixels stay inside.
constexpr qreal edgeAllowance = 0.3 + brushSwell / 2;

QPainterPath fittedOutline(const QString& text, const QRect& box) {
    QPainterPath outline;
    outline.addText(0, 0, requireFont(scriptFamily, referencePixelSize), text);
    const QRectF from = outline.boundingRect();
    const QRectF to =
        QRectF(box).adjusted(edgeAllowance, edgeAllowance, -edgeAllowance, -edgeAllowance);
    QTransform fit;
    fit.translate(to.left(), to.top());
    fit.scale(to.width() / from.width(), to.height() / from.height());
    fit.translate(-from.left(), -from.top());
    return fit.map(outline);
}

} // namespace

QImage letterWords(QSize size, const QColor& ground, const QList<LetteredLine>& lines) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const LetteredLine& line : lines) {
        painter.setClipRect(line.box);
        painter.setPen(QPen(line.ink, brushSwell, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(line.ink);
        painter.drawPath(fittedOutline(line.text, line.box));
    }
    return image;
}

} // namespace art
