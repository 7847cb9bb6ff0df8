// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Three faces as a child draws them: hair, a round head, dots for eyes, a smile, a collar.
#include "Faces.h"

#include "ArtColours.h"
#include "FeltPen.h"

#include <QPainter>
#include <array>

namespace art {
namespace {

constexpr QSize faceSize{80, 80};
constexpr QPointF headCentre{40, 38};
constexpr qreal headRx = 22;
constexpr qreal headRy = 24;
constexpr qreal faceOutline = 3;
constexpr qreal faceHatch = 3.5;
constexpr qreal faceSpacing = 3.5;

const QColor skin{250, 204, 168};
const QColor skinEdge{196, 120, 84};
const QColor eyeInk{40, 40, 56};
const QColor mouthRed{210, 40, 50};
const QColor cheekPink{244, 150, 150};

struct Look {
    std::uint64_t seed;
    QColor hair;
    QColor shirt;
    bool longHair;
    bool ribbon;
};

// Joana of the album has long brown hair and a red ribbon; Pèire is fair; Guilhèm dark.
const std::array<Look, 3> looks{{
    {0x4A6F616E61, QColor(120, 70, 30), QColor(230, 60, 60), true, true},
    {0x506569726531, QColor(236, 190, 60), QColor(60, 130, 220), false, false},
    {0x4775696C68, QColor(50, 40, 36), QColor(60, 170, 80), false, false},
}};

QPainterPath ellipsePath(QPointF centre, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

void drawHair(QPainter& painter, FeltPen& pen, const Look& look) {
    QPainterPath hair;
    if (look.longHair) {
        hair.addRoundedRect(QRectF(14, 10, 52, 56), 22, 22);
    } else {
        hair.addEllipse(headCentre - QPointF(0, 10), headRx + 3, headRy - 6);
    }
    // Round the face, not over it: a felt pen's strokes run past their area, so the paper is
    // held to the hair's shape while it is coloured.
    const QPainterPath around = hair.subtracted(ellipsePath(headCentre, headRx - 1, headRy - 1));
    painter.setClipPath(around);
    pen.hatch(around, look.hair, faceHatch, faceSpacing, 60);
    painter.setClipping(false);
}

void drawFeatures(FeltPen& pen) {
    for (const qreal x : {32.0, 48.0})
        pen.ellipse(QPointF(x, 38), 1.6, 2.2, eyeInk, 2.6);
    pen.hatch(ellipsePath(QPointF(26, 48), 3.5, 2.5), cheekPink, 2.5, 2.5, 0);
    pen.hatch(ellipsePath(QPointF(54, 48), 3.5, 2.5), cheekPink, 2.5, 2.5, 0);
    pen.stroke({{32, 50}, {36, 54}, {40, 55}, {44, 54}, {48, 50}}, mouthRed, 2.6);
}

} // namespace

QImage drawFace(int player) {
    const Look& look = looks.at(size_t(player - 1));
    QImage image(faceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    FeltPen pen(painter, look.seed);

    drawHair(painter, pen, look);
    QPainterPath shirt;
    shirt.addRoundedRect(QRectF(16, 64, 48, 24), 10, 10);
    pen.hatch(shirt, look.shirt, faceHatch, faceSpacing, -30);
    pen.hatch(ellipsePath(headCentre, headRx - 2, headRy - 2), skin, faceHatch, 2.5, 20);
    pen.ellipse(headCentre, headRx, headRy, skinEdge, faceOutline);
    if (!look.longHair) // a fringe over the forehead
        pen.stroke({{22, 24}, {32, 18}, {44, 20}, {58, 26}}, look.hair, 5);
    if (look.ribbon)
        pen.stroke({{52, 12}, {60, 8}, {62, 16}, {52, 12}}, look.shirt, 3.5);
    drawFeatures(pen);
    return image;
}

} // namespace art
