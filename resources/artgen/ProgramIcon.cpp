// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The program icon, painted smooth and then reduced to a fixed palette of 16 colours.
#include "ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <limits>
#include <numbers>

namespace art {
namespace {

constexpr QSize iconSize{32, 32};
constexpr QPointF crossCentre{16, 16};
constexpr qreal armLength = 14.2;
constexpr qreal armRootHalfWidth = 1.6;
constexpr qreal armTipHalfWidth = 4.4;
constexpr qreal ballRadius = 1.55;
constexpr qreal letterEdgeWidth = 2;

const QColor fieldRed{210, 16, 20};
const QColor crossYellow{255, 226, 0};
const QColor letterGreen{40, 236, 48};
const QColor letterEdge{0, 100, 24};

// Every colour the icon may use: its own inks and the in-between shades of their edges.
const QRgb palette[16] = {
    qRgb(210, 16, 20),   qRgb(140, 8, 12),   qRgb(255, 226, 0),   qRgb(232, 120, 8),
    qRgb(255, 250, 170), qRgb(40, 236, 48),  qRgb(140, 255, 130), qRgb(20, 168, 36),
    qRgb(0, 100, 24),    qRgb(0, 58, 14),    qRgb(104, 58, 20),   qRgb(128, 140, 20),
    qRgb(236, 68, 24),   qRgb(180, 150, 10), qRgb(255, 255, 255), qRgb(24, 24, 24),
};

// One arm pointing up, flaring towards its end, which is notched and carries three balls.
QPainterPath arm() {
    const qreal tip = crossCentre.y() - armLength;
    QPainterPath path;
    path.moveTo(crossCentre.x() - armRootHalfWidth, crossCentre.y());
    path.lineTo(crossCentre.x() - armTipHalfWidth, tip + 1.2);
    path.quadTo(crossCentre.x(), tip + 3.2, crossCentre.x() + armTipHalfWidth, tip + 1.2);
    path.lineTo(crossCentre.x() + armRootHalfWidth, crossCentre.y());
    path.closeSubpath();
    for (const qreal dx : {-armTipHalfWidth, 0.0, armTipHalfWidth}) {
        path.addEllipse(QPointF(crossCentre.x() + dx, tip + (dx == 0 ? 2.1 : 0.9)), ballRadius,
                        ballRadius);
    }
    return path;
}

QPainterPath cross() {
    QPainterPath all;
    all.setFillRule(Qt::WindingFill);
    for (int quarter = 0; quarter < 4; ++quarter) {
        QTransform turn;
        turn.translate(crossCentre.x(), crossCentre.y());
        turn.rotate(90 * quarter);
        turn.translate(-crossCentre.x(), -crossCentre.y());
        all.addPath(turn.map(arm()));
    }
    return all;
}

// A block capital M on whole pixels, so that it stays crisp at this size.
QPainterPath letterM() {
    const QPolygonF outline{{7, 26},  {7, 5},     {12, 5},    {16, 12}, {20, 5},    {25, 5},
                            {25, 26}, {20.5, 26}, {20.5, 14}, {16, 21}, {11.5, 14}, {11.5, 26}};
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

uchar nearestIndex(QRgb colour) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < 16; ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        // Weighted as the eye weighs them, green the most.
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<uchar>(best);
}

// The design on a grid of 32 units, whatever the painter's scale.
void paintDesign(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(crossYellow);
    painter.drawPath(cross());
    const QPainterPath m = letterM();
    painter.setPen(QPen(letterEdge, letterEdgeWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(letterEdge);
    painter.drawPath(m);
    painter.setPen(Qt::NoPen);
    painter.setBrush(letterGreen);
    painter.drawPath(m);
}

} // namespace

QImage drawDesktopIcon(int pixels) {
    QImage smooth(pixels, pixels, QImage::Format_RGB32);
    smooth.fill(fieldRed);
    {
        QPainter painter(&smooth);
        painter.scale(qreal(pixels) / iconSize.width(), qreal(pixels) / iconSize.height());
        paintDesign(painter);
    }
    return smooth;
}

QImage drawProgramIcon() {
    const QImage smooth = drawDesktopIcon(iconSize.width());
    QImage indexed(iconSize, QImage::Format_Indexed8);
    indexed.setColorTable(QList<QRgb>(std::begin(palette), std::end(palette)));
    for (int y = 0; y < iconSize.height(); ++y) {
        for (int x = 0; x < iconSize.width(); ++x) {
            indexed.setPixel(x, y, nearestIndex(smooth.pixel(x, y)));
        }
    }
    return indexed;
}

} // namespace art
