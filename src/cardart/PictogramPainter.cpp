// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictograms: emoji as they are; weekdays and colours drawn with QPainter around an emoji.
#include "cardart/PictogramPainter.h"

#include "cardart/EmojiRenderer.h"
#include "cardart/Style.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace drawing {

namespace {

constexpr int daysInWeek = 7;
constexpr int splashLobes = 9;

QPainterPath splashOutline(const QPointF& centre, qreal radius) {
    // A round blob with gentle lobes; the same shape for every colour.
    QPainterPath path;
    constexpr int steps = 180;
    for (int i = 0; i <= steps; ++i) {
        const qreal angle = 2 * M_PI * i / steps;
        const qreal wave = 0.08 * qSin(splashLobes * angle) + 0.04 * qSin(4 * angle + 1.0);
        const QPointF point = centre + radius * (1 + wave) * QPointF(qCos(angle), qSin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

} // namespace

void PictogramPainter::draw(QPainter& painter, const Pictogram& picture, const QRectF& box,
                            const QColor& accent) {
    switch (picture.kind) {
    case Pictogram::Kind::Emoji:
        EmojiRenderer::draw(painter, picture.emoji, box);
        break;
    case Pictogram::Kind::Calendar:
        drawCalendar(painter, picture, box, accent);
        break;
    case Pictogram::Kind::Splash:
        drawSplash(painter, picture, box);
        break;
    }
}

void PictogramPainter::drawCalendar(QPainter& painter, const Pictogram& picture, const QRectF& box,
                                    const QColor& accent) {
    const qreal side = std::min(box.width(), box.height());
    QRectF sheet(0, 0, side * 0.86, side * 0.92);
    sheet.moveCenter(box.center());
    const qreal radius = side * 0.08;
    const qreal band = side * 0.22;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawRoundedRect(sheet.translated(side * 0.02, side * 0.03), radius, radius);
    painter.setBrush(Qt::white);
    painter.setPen(QPen(accent.darker(140), std::max(1.0, side * 0.012)));
    painter.drawRoundedRect(sheet, radius, radius);

    QPainterPath top;
    top.addRoundedRect(sheet, radius, radius);
    QPainterPath bandArea;
    bandArea.addRect(QRectF(sheet.left(), sheet.top(), sheet.width(), band));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE4, 0x57, 0x4B));
    painter.drawPath(top.intersected(bandArea));

    // Two rings holding the sheet.
    painter.setBrush(QColor(0x55, 0x55, 0x55));
    for (const qreal x : {0.3, 0.7}) {
        const QPointF ring(sheet.left() + sheet.width() * x, sheet.top());
        painter.drawRoundedRect(
            QRectF(ring.x() - side * 0.025, ring.y() - side * 0.07, side * 0.05, side * 0.12),
            side * 0.025, side * 0.025);
    }

    QFont font(QString::fromLatin1(style::wordFont));
    font.setBold(true);
    font.setPixelSize(int(band * 0.8));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(sheet.left(), sheet.top() + band * 0.08, sheet.width(), band),
                     Qt::AlignCenter, QString::number(picture.day));

    // The week as seven dots, today's filled.
    const qreal dot = sheet.width() / (daysInWeek * 1.5);
    const qreal dotsTop = sheet.bottom() - dot * 1.7;
    const qreal dotsLeft = sheet.center().x() - dot * 1.5 * daysInWeek / 2 + dot * 0.25;
    for (int day = 1; day <= daysInWeek; ++day) {
        const QRectF spot(dotsLeft + (day - 1) * dot * 1.5, dotsTop, dot, dot);
        painter.setPen(QPen(accent.darker(130), std::max(1.0, side * 0.01)));
        painter.setBrush(day == picture.day ? accent : QColor(Qt::white));
        painter.drawEllipse(spot);
    }

    if (!picture.emoji.isEmpty()) {
        const qreal free = dotsTop - (sheet.top() + band);
        QRectF art(0, 0, free * 0.86, free * 0.86);
        art.moveCenter(QPointF(sheet.center().x(), sheet.top() + band + free / 2));
        EmojiRenderer::draw(painter, picture.emoji, art);
    }
    painter.restore();
}

void PictogramPainter::drawSplash(QPainter& painter, const Pictogram& picture, const QRectF& box) {
    const qreal side = std::min(box.width(), box.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor outline =
        picture.colour.lightness() > 200 ? QColor(0xB0, 0xA8, 0x98) : picture.colour.darker(135);
    painter.setPen(QPen(outline, std::max(1.0, side * 0.015)));
    painter.setBrush(picture.colour);
    painter.drawPath(splashOutline(box.center(), side * 0.4));
    // A few drops thrown off the splash.
    const QPointF drops[] = {{0.44, -0.3}, {-0.46, 0.28}, {0.36, 0.4}};
    const qreal dropSizes[] = {0.05, 0.04, 0.03};
    for (int i = 0; i < 3; ++i)
        painter.drawEllipse(box.center() + side * drops[i], side * dropSizes[i],
                            side * dropSizes[i]);
    if (!picture.emoji.isEmpty()) {
        QRectF art(0, 0, side * 0.56, side * 0.56);
        art.moveCenter(box.center());
        EmojiRenderer::drawSticker(painter, picture.emoji, art, std::max(1.0, side * 0.025));
    }
    painter.restore();
}

} // namespace drawing
