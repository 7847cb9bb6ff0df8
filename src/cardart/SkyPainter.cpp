// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The sky of an album page at each hour: its colours, sun or moon, stars and clouds.
#include "cardart/SkyPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace drawing {

namespace {

constexpr int starCount = 70;
constexpr quint32 starSeed = 1717;

struct SkyColours {
    QColor top, bottom, light;
};

SkyColours coloursOf(AlbumPage::Sky sky) {
    switch (sky) {
    case AlbumPage::Sky::Dawn:
        return {QColor(0x8F, 0xB8, 0xE8), QColor(0xFF, 0xCF, 0x9E), QColor(0xFF, 0xB3, 0x47)};
    case AlbumPage::Sky::Day:
        return {QColor(0x5C, 0xAE, 0xF0), QColor(0xD4, 0xEE, 0xFF), QColor(0xFF, 0xD8, 0x3A)};
    case AlbumPage::Sky::Evening:
        return {QColor(0x46, 0x5A, 0xA8), QColor(0xF8, 0xA0, 0x6A), QColor(0xFF, 0x8A, 0x3D)};
    case AlbumPage::Sky::Night:
        return {QColor(0x0C, 0x16, 0x3C), QColor(0x2A, 0x3D, 0x78), QColor(0xFF, 0xF3, 0xB8)};
    case AlbumPage::Sky::Storm:
        return {QColor(0x55, 0x60, 0x70), QColor(0xA8, 0xB3, 0xBE), QColor(0, 0, 0, 0)};
    }
    return {};
}

void drawCloud(QPainter& painter, const QPointF& at, qreal scale, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(at, 46 * scale, 22 * scale);
    painter.drawEllipse(at + QPointF(-30, 4) * scale, 30 * scale, 18 * scale);
    painter.drawEllipse(at + QPointF(32, 6) * scale, 28 * scale, 16 * scale);
    painter.drawEllipse(at + QPointF(-6, -16) * scale, 28 * scale, 22 * scale);
}

void drawSun(QPainter& painter, const QPointF& centre, qreal radius, const QColor& colour) {
    QRadialGradient glow(centre, radius * 2.2);
    QColor halo = colour;
    halo.setAlpha(110);
    glow.setColorAt(0, halo);
    glow.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius * 2.2, radius * 2.2);
    painter.setBrush(colour);
    painter.drawEllipse(centre, radius, radius);
}

void drawMoon(QPainter& painter, const QPointF& centre, qreal radius, const QColor& colour) {
    QRadialGradient glow(centre, radius * 2.4);
    glow.setColorAt(0, QColor(colour.red(), colour.green(), colour.blue(), 70));
    glow.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius * 2.4, radius * 2.4);
    QPainterPath full;
    full.addEllipse(centre, radius, radius);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(radius * 0.5, -radius * 0.3), radius * 0.9, radius * 0.9);
    painter.setBrush(colour);
    painter.drawPath(full.subtracted(bite));
}

} // namespace

QColor SkyPainter::tint(AlbumPage::Sky sky) {
    switch (sky) {
    case AlbumPage::Sky::Dawn:
        return QColor(0xFF, 0xA0, 0x60, 30);
    case AlbumPage::Sky::Evening:
        return QColor(0xC0, 0x50, 0x40, 60);
    case AlbumPage::Sky::Night:
        return QColor(0x10, 0x1C, 0x50, 130);
    case AlbumPage::Sky::Storm:
        return QColor(0x30, 0x38, 0x48, 70);
    case AlbumPage::Sky::Day:
        break;
    }
    return QColor(0, 0, 0, 0);
}

void SkyPainter::draw(QPainter& painter, AlbumPage::Sky sky, qreal horizon) {
    const SkyColours colours = coloursOf(sky);
    QLinearGradient gradient(0, 0, 0, horizon);
    gradient.setColorAt(0, colours.top);
    gradient.setColorAt(1, colours.bottom);
    painter.fillRect(painter.window(), gradient);
    switch (sky) {
    case AlbumPage::Sky::Dawn:
        drawSun(painter, QPointF(130, 215), 40, colours.light);
        drawCloud(painter, QPointF(560, 90), 1.0, QColor(255, 235, 225, 220));
        break;
    case AlbumPage::Sky::Day:
        drawSun(painter, QPointF(660, 64), 38, colours.light);
        drawCloud(painter, QPointF(170, 70), 1.0, QColor(255, 255, 255, 235));
        drawCloud(painter, QPointF(430, 110), 0.7, QColor(255, 255, 255, 220));
        break;
    case AlbumPage::Sky::Evening:
        drawSun(painter, QPointF(640, 205), 44, colours.light);
        drawCloud(painter, QPointF(200, 80), 0.9, QColor(255, 200, 190, 200));
        break;
    case AlbumPage::Sky::Night: {
        QRandomGenerator stars(starSeed);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < starCount; ++i) {
            const QPointF at(stars.bounded(painter.window().width()),
                             stars.bounded(int(horizon - 60)));
            const qreal r = 0.8 + stars.bounded(18) / 10.0;
            painter.setBrush(QColor(255, 255, 230, 150 + stars.bounded(100)));
            painter.drawEllipse(at, r, r);
        }
        drawMoon(painter, QPointF(130, 70), 34, colours.light);
        break;
    }
    case AlbumPage::Sky::Storm:
        drawCloud(painter, QPointF(150, 60), 1.3, QColor(0x70, 0x78, 0x84));
        drawCloud(painter, QPointF(420, 50), 1.5, QColor(0x66, 0x6E, 0x7A));
        drawCloud(painter, QPointF(690, 70), 1.2, QColor(0x78, 0x80, 0x8C));
        break;
    }
}

} // namespace drawing
