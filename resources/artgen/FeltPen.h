// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A felt pen on paper: round-capped strokes that wobble a little, and scribbled hatching.
#pragma once

#include "Rng.h"

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QPointF>

class QPainter;

class FeltPen {
public:
    FeltPen(QPainter& painter, std::uint64_t seed);

    // One stroke through the points, the pen lifted only at the end.
    void stroke(const QList<QPointF>& points, const QColor& ink, qreal width);
    void line(QPointF from, QPointF to, const QColor& ink, qreal width);
    // A closed loop round an ellipse, ending a little past where it began.
    void ellipse(QPointF centre, qreal rx, qreal ry, const QColor& ink, qreal width);
    // Colours an area with back-and-forth strokes at the given angle, as a child fills a shape.
    void hatch(const QPainterPath& area, const QColor& ink, qreal width, qreal spacing,
               qreal angleDegrees);

    Rng& rng() { return rng_; }

private:
    QPainterPath wobbly(const QList<QPointF>& points);

    QPainter& painter_;
    Rng rng_;
};
