// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The landscape, drawn back to front as a child would: mountains, sun, house, then the garden.
#include "Landscape.h"

#include "ArtColours.h"
#include "FeltPen.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace art {
namespace {

constexpr std::uint64_t drawingSeed = 0x4D69726142;

// Felt pens of the box.
const QColor outlinePen{44, 42, 52};
const QColor roofRed{226, 36, 30};
const QColor roofEdge{168, 22, 24};
const QColor ochre{214, 148, 44};
const QColor sunYellow{255, 222, 24};
const QColor sunEdge{250, 186, 0};
const QColor grassGreen{62, 178, 58};
const QColor bushGreen{34, 142, 52};
const QColor leafEdge{22, 104, 40};
const QColor woodBrown{138, 86, 44};
const QColor mountainBrown{124, 78, 42};
const QColor glassBlue{128, 188, 240};
const QColor smokeGrey{150, 150, 156};
const QColor birdInk{46, 44, 62};

constexpr qreal outlineWidth = 5;
constexpr qreal hatchWidth = 5;
constexpr qreal hatchSpacing = 5.5;

// The house, in paper pixels.
constexpr qreal wallLeft = 130;
constexpr qreal wallRight = 320;
constexpr qreal wallTop = 305;
constexpr qreal wallBottom = 432;
constexpr qreal eaveLeft = 108;
constexpr qreal eaveRight = 342;
constexpr qreal ridgeLeft = 160;
constexpr qreal ridgeRight = 292;
constexpr qreal ridgeY = 232;

// The fence at the right.
constexpr qreal fenceLeft = 344;
constexpr qreal postTop = 392;
constexpr qreal postBottom = 478;

QPainterPath polygonPath(const QPolygonF& polygon) {
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

QPainterPath rectPath(const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect);
    return path;
}

void outlineRect(FeltPen& pen, const QRectF& r, const QColor& ink, qreal width) {
    pen.stroke(
        {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft() + QPointF(0, 3)},
        ink, width);
}

void drawMountains(FeltPen& pen) {
    pen.stroke({{-8, 300},
                {38, 246},
                {88, 196},
                {120, 222},
                {146, 246},
                {176, 214},
                {214, 178},
                {252, 222},
                {270, 238}},
               mountainBrown, outlineWidth);
    pen.stroke({{262, 230}, {306, 196}, {352, 160}, {392, 204}, {420, 226}, {458, 200}},
               mountainBrown, outlineWidth);
    // A second ridge behind, with a lighter hand.
    pen.stroke({{60, 222}, {88, 196}}, mountainBrown, 3);
    pen.stroke({{392, 204}, {410, 186}, {430, 172}, {458, 186}}, mountainBrown, 4);
}

void drawSun(FeltPen& pen) {
    const QPointF centre(384, 70);
    constexpr qreal radius = 33;
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    pen.hatch(disc, sunYellow, hatchWidth, hatchSpacing, -35);
    pen.ellipse(centre, radius, radius, sunEdge, 4);
    constexpr int rays = 11;
    for (int i = 0; i < rays; ++i) {
        const qreal a = 2 * std::numbers::pi * i / rays + 0.2;
        const QPointF dir(std::cos(a), std::sin(a));
        const qreal inner = radius + 9 + pen.rng().uniform(-2, 2);
        const qreal outer = radius + 30 + pen.rng().uniform(-5, 5);
        pen.line(centre + dir * inner, centre + dir * outer, sunEdge, 4.5);
    }
}

void drawBird(FeltPen& pen) {
    pen.stroke({{52, 118}, {62, 108}, {72, 110}, {78, 120}}, birdInk, 4);
    pen.stroke({{78, 120}, {86, 108}, {96, 104}, {106, 110}}, birdInk, 4);
}

void drawChimneyAndSmoke(FeltPen& pen) {
    const QRectF chimney(262, 196, 24, 48);
    pen.hatch(rectPath(chimney), roofEdge, 4, 5, 80);
    outlineRect(pen, chimney, outlinePen, 4);
    pen.stroke({{276, 188},
                {268, 176},
                {276, 164},
                {290, 158},
                {294, 146},
                {286, 134},
                {294, 122},
                {308, 116}},
               smokeGrey, 4);
}

void drawRoof(FeltPen& pen) {
    const QPolygonF roof{
        {eaveLeft, wallTop}, {ridgeLeft, ridgeY}, {ridgeRight, ridgeY}, {eaveRight, wallTop}};
    pen.hatch(polygonPath(roof), roofRed, hatchWidth, hatchSpacing, 28);
    pen.stroke({{eaveLeft - 4, wallTop + 2},
                {ridgeLeft, ridgeY},
                {ridgeRight, ridgeY},
                {eaveRight + 4, wallTop + 2},
                {eaveLeft - 4, wallTop + 2}},
               roofEdge, outlineWidth);
    // Rows of tiles.
    for (qreal y = ridgeY + 22; y < wallTop - 8; y += 22) {
        const qreal t = (y - ridgeY) / (wallTop - ridgeY);
        const qreal left = ridgeLeft + (eaveLeft - ridgeLeft) * t + 8;
        const qreal right = ridgeRight + (eaveRight - ridgeRight) * t - 8;
        pen.stroke({{left, y}, {(left + right) / 2, y + 2}, {right, y}}, roofEdge, 3);
    }
}

void drawWindow(FeltPen& pen, const QRectF& glass) {
    constexpr qreal shutter = 13;
    pen.hatch(rectPath(glass), glassBlue, 4, 5, -45);
    const QRectF left(glass.left() - shutter, glass.top(), shutter, glass.height());
    const QRectF right(glass.right(), glass.top(), shutter, glass.height());
    for (const QRectF& s : {left, right}) {
        pen.hatch(rectPath(s), ochre, 4, 4.5, 90);
        outlineRect(pen, s, outlinePen, 3.5);
    }
    pen.line({glass.center().x(), glass.top()}, {glass.center().x(), glass.bottom()}, outlinePen,
             3);
    pen.line({glass.left(), glass.center().y()}, {glass.right(), glass.center().y()}, outlinePen,
             3);
}

void drawHouse(FeltPen& pen) {
    drawChimneyAndSmoke(pen);
    drawRoof(pen);
    pen.stroke({{wallLeft, wallTop + 4},
                {wallLeft - 1, wallBottom},
                {wallRight + 1, wallBottom},
                {wallRight, wallTop + 4}},
               outlinePen, outlineWidth);
    drawWindow(pen, QRectF(156, 326, 30, 34));
    drawWindow(pen, QRectF(266, 326, 30, 34));

    // The door, arched, with its knob.
    QPainterPath door;
    door.moveTo(206, wallBottom);
    door.lineTo(206, 372);
    door.arcTo(QRectF(206, 352, 40, 40), 180, -180);
    door.lineTo(246, wallBottom);
    door.closeSubpath();
    pen.hatch(door, ochre, hatchWidth, hatchSpacing, 75);
    pen.stroke({{206, wallBottom},
                {206, 372},
                {214, 357},
                {226, 352},
                {238, 357},
                {246, 372},
                {246, wallBottom}},
               outlinePen, 4.5);
    pen.stroke({{238, 396}}, outlinePen, 5);
}

void drawBush(FeltPen& pen, QPointF base, qreal width, qreal height) {
    // A cloud of leaves: an ellipse with a scalloped edge, flat where it sits on the grass.
    constexpr int bumps = 7;
    constexpr int samples = 84;
    const QPointF centre = base - QPointF(0, height / 2);
    QPolygonF edge;
    for (int i = 0; i <= samples; ++i) {
        const qreal a = 2 * std::numbers::pi * i / samples;
        const qreal scallop = 0.86 + 0.16 * std::abs(std::sin(bumps * a / 2));
        QPointF p = centre + QPointF(width / 2 * std::cos(a), height / 2 * std::sin(a)) * scallop;
        p.setY(std::min(p.y(), base.y()));
        edge.append(p);
    }
    pen.hatch(polygonPath(edge), bushGreen, hatchWidth, hatchSpacing, -60);
    pen.stroke(QList<QPointF>(edge.begin(), edge.end()), leafEdge, 3.5);
    // A few leaves drawn inside as small hooks.
    for (int i = 0; i < 4; ++i) {
        const QPointF at = centre + QPointF(pen.rng().uniform(-width / 4, width / 4),
                                            pen.rng().uniform(-height / 4, height / 5));
        pen.stroke({at, at + QPointF(4, -4), at + QPointF(8, -1)}, leafEdge, 3);
    }
}

void drawGrassTuft(FeltPen& pen, QPointF root) {
    const qreal height = pen.rng().uniform(10, 18);
    const qreal lean = pen.rng().uniform(-3, 3);
    pen.line(root, root + QPointF(-6 + lean, -height * 0.8), grassGreen, 3.5);
    pen.line(root, root + QPointF(lean, -height), grassGreen, 3.5);
    pen.line(root, root + QPointF(6 + lean, -height * 0.75), grassGreen, 3.5);
}

void drawGrass(FeltPen& pen) {
    // The ground line, then tufts scattered over the lower half, none on the house.
    pen.stroke({{-6, 312}, {60, 318}, {108, 322}}, grassGreen, outlineWidth);
    pen.stroke({{342, 322}, {400, 318}, {456, 312}}, grassGreen, outlineWidth);
    const QRectF house(wallLeft - 30, wallTop - 10, wallRight - wallLeft + 60,
                       wallBottom - wallTop + 14);
    const QRectF fence(fenceLeft, postTop - 10, landscapeSize.width(), postBottom - postTop);
    // The menu lays two of its words over the lower grass; no tuft grows right under them.
    const QRectF underWords[] = {{37, 487, 156, 58}, {260, 556, 110, 48}};
    constexpr int tufts = 110;
    constexpr qreal cornerKeepOut = 28; // the paper's bottom-left corner stays blank
    for (int placed = 0; placed < tufts;) {
        const QPointF root(pen.rng().uniform(12, 440), pen.rng().uniform(345, 600));
        if (house.contains(root) || fence.contains(root) || underWords[0].contains(root) ||
            underWords[1].contains(root) ||
            (root.x() < cornerKeepOut && root.y() > landscapeSize.height() - cornerKeepOut)) {
            continue;
        }
        drawGrassTuft(pen, root);
        ++placed;
    }
}

void drawFence(FeltPen& pen) {
    for (const qreal x : {364.0, 398.0, 432.0}) {
        QPainterPath post;
        post.addPolygon(QPolygonF{{x - 9, postBottom},
                                  {x - 9, postTop + 8},
                                  {x, postTop},
                                  {x + 9, postTop + 8},
                                  {x + 9, postBottom}});
        post.closeSubpath();
        pen.hatch(post, woodBrown, 4.5, 5, 80);
        pen.stroke({{x - 9, postBottom},
                    {x - 9, postTop + 8},
                    {x, postTop},
                    {x + 9, postTop + 8},
                    {x + 9, postBottom}},
                   mountainBrown, 3.5);
    }
    for (const qreal y : {414.0, 452.0}) {
        pen.line({fenceLeft + 2, y}, {454, y - 3}, woodBrown, 6);
    }
    // Grass growing in front of the posts.
    for (const qreal x : {352.0, 384.0, 414.0, 444.0}) {
        drawGrassTuft(pen, {x, postBottom + 4});
    }
}

} // namespace

QImage drawLandscape() {
    QImage image(landscapeSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    FeltPen pen(painter, drawingSeed);
    drawMountains(pen);
    drawSun(pen);
    drawBird(pen);
    drawGrass(pen);
    drawHouse(pen);
    drawBush(pen, {112, 440}, 62, 52);
    drawBush(pen, {340, 442}, 54, 46);
    drawFence(pen);
    return image;
}

} // namespace art
