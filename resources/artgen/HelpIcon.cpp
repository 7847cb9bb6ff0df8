// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The help icon: a round blue button with a white question mark; and the "MB" monogram.
#include "HelpIcon.h"

#include "ArtColours.h"
#include "ArtFonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {
namespace {

constexpr QSize helpIconSize{32, 32};
constexpr qreal discDiameter = 30;
constexpr qreal rimWidth = 2.2;
constexpr QSize logoSize{69, 29};

const QColor rimPale{196, 222, 255};
const QColor discLight{92, 150, 255};
const QColor discDeep{18, 58, 196};
const QColor logoLight{128, 182, 246};
const QColor logoMid{36, 98, 212};

// The outline of a text fitted into a rectangle, keeping the glyph's proportions.
QPainterPath glyphIn(const QString& text, const QRectF& room) {
    QPainterPath glyph;
    glyph.addText(0, 0, requireFont(sansFamily, 100, true), text);
    const QRectF from = glyph.boundingRect();
    const qreal scale = std::min(room.width() / from.width(), room.height() / from.height());
    QTransform fit;
    fit.translate(room.center().x(), room.center().y());
    fit.scale(scale, scale);
    fit.translate(-from.center().x(), -from.center().y());
    return fit.map(glyph);
}

} // namespace

QImage drawHelpIcon() {
    QImage image(helpIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(0, 0, discDiameter, discDiameter);
    painter.setClipRect(disc);
    painter.setPen(Qt::NoPen);
    painter.setBrush(rimPale);
    painter.drawEllipse(disc);

    // Lit from the top left, like a glossy button.
    const QRectF face = disc.adjusted(rimWidth, rimWidth, -rimWidth, -rimWidth);
    QRadialGradient shade(face.center() - QPointF(4, 5), face.width() * 0.75);
    shade.setColorAt(0, discLight);
    shade.setColorAt(1, discDeep);
    painter.setBrush(shade);
    painter.drawEllipse(face);

    painter.setBrush(Qt::white);
    painter.drawPath(glyphIn(QStringLiteral("?"), QRectF(9.5, 6, 11, 18)));
    return image;
}

QImage drawLogo() {
    QImage image(logoSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(peach);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto pen = [](const QColor& ink, qreal width) {
        return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    };

    // A light swash runs under the whole mark and curls up at the left.
    QPainterPath swash;
    swash.moveTo(62, 23);
    swash.cubicTo(50, 29, 20, 27.5, 8, 26.5);
    swash.cubicTo(2, 26, 1.5, 20, 5, 17);
    painter.setPen(pen(logoLight, 2.2));
    painter.drawPath(swash);

    // The M over it, edged with a gap of ground so that the strokes seem to pass over each other.
    QPainterPath m;
    m.moveTo(7, 24);
    m.cubicTo(9, 17, 10, 9, 12, 4);
    m.cubicTo(16, 10, 19, 15, 23, 19);
    m.cubicTo(27, 14, 31, 9, 36, 4);
    m.cubicTo(36, 11, 35, 18, 35, 25);
    painter.setPen(pen(peach, 5.5));
    painter.drawPath(m);
    painter.setPen(pen(logoMid, 3));
    painter.drawPath(m);

    // The M's last leg is the spine of the B, whose two bowls are in the light blue.
    QPainterPath bowls;
    bowls.moveTo(37, 4.5);
    bowls.cubicTo(49, 2, 56, 6, 51, 11.5);
    bowls.cubicTo(48, 14, 42, 14, 37.5, 14);
    bowls.cubicTo(52, 13, 63, 17, 58, 22.5);
    bowls.cubicTo(54, 27, 44, 26.5, 37, 25);
    painter.setPen(pen(logoLight, 3));
    painter.drawPath(bowls);
    return image;
}

} // namespace art
