// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The felt pen: strokes resampled along their length and pushed sideways by a smooth wobble.
#include "FeltPen.h"

#include <QLineF>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <numbers>

namespace {

// Distance between the resampled points of a stroke; the wobble bends at this scale.
constexpr qreal sampleStep = 4.0;
// Largest sideways drift of a hand-held pen, in pixels.
constexpr qreal wobbleAmplitude = 1.8;
// Felt ink is not quite opaque: where two strokes cross, the colour deepens.
constexpr int inkAlpha = 228;
constexpr qreal degreesToRadians = std::numbers::pi / 180.0;

struct Sample {
    QPointF point;
    QPointF normal;
    qreal along;
};

// Points every sampleStep along each segment, keeping the corners of the polyline.
QList<Sample> resample(const QList<QPointF>& points) {
    QList<Sample> samples;
    qreal along = 0;
    for (qsizetype i = 0; i + 1 < points.size(); ++i) {
        const QLineF segment(points[i], points[i + 1]);
        const qreal length = segment.length();
        if (length <= 0) {
            continue;
        }
        const QPointF normal(-segment.dy() / length, segment.dx() / length);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / sampleStep)));
        for (int s = 0; s < steps; ++s) {
            const qreal t = static_cast<qreal>(s) / steps;
            samples.append({segment.pointAt(t), normal, along + t * length});
        }
        along += length;
    }
    if (!points.isEmpty()) {
        const QPointF normal = samples.isEmpty() ? QPointF(0, 0) : samples.last().normal;
        samples.append({points.last(), normal, along});
    }
    return samples;
}

} // namespace

FeltPen::FeltPen(QPainter& painter, std::uint64_t seed) : painter_(painter), rng_(seed) {}

QPainterPath FeltPen::wobbly(const QList<QPointF>& points) {
    const qreal phase1 = rng_.uniform(0, 2 * std::numbers::pi);
    const qreal phase2 = rng_.uniform(0, 2 * std::numbers::pi);
    const qreal wave1 = rng_.uniform(35, 60);
    const qreal wave2 = rng_.uniform(11, 17);
    QList<QPointF> moved;
    for (const Sample& s : resample(points)) {
        const qreal drift = wobbleAmplitude * (0.7 * std::sin(s.along / wave1 + phase1) +
                                               0.3 * std::sin(s.along / wave2 + phase2));
        moved.append(s.point + s.normal * drift);
    }
    QPainterPath path;
    if (moved.isEmpty()) {
        return path;
    }
    path.moveTo(moved.first());
    // Through the midpoints, so that the pen's turns are rounded as a hand rounds them.
    for (qsizetype i = 1; i + 1 < moved.size(); ++i) {
        path.quadTo(moved[i], (moved[i] + moved[i + 1]) / 2);
    }
    path.lineTo(moved.last());
    return path;
}

void FeltPen::stroke(const QList<QPointF>& points, const QColor& ink, qreal width) {
    QColor felt = ink;
    felt.setAlpha(inkAlpha);
    painter_.setPen(QPen(felt, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::NoBrush);
    if (points.size() == 1) {
        painter_.drawPoint(points.first());
        return;
    }
    painter_.drawPath(wobbly(points));
}

void FeltPen::line(QPointF from, QPointF to, const QColor& ink, qreal width) {
    stroke({from, to}, ink, width);
}

void FeltPen::ellipse(QPointF centre, qreal rx, qreal ry, const QColor& ink, qreal width) {
    const qreal start = rng_.uniform(0, 2 * std::numbers::pi);
    const qreal overrun = rng_.uniform(0.15, 0.4);
    const int steps = std::max(12, static_cast<int>(2 * std::numbers::pi * std::max(rx, ry) / 3));
    QList<QPointF> points;
    for (int i = 0; i <= steps; ++i) {
        const qreal a = start + (2 * std::numbers::pi + overrun) * i / steps;
        points.append(centre + QPointF(rx * std::cos(a), ry * std::sin(a)));
    }
    stroke(points, ink, width);
}

void FeltPen::hatch(const QPainterPath& area, const QColor& ink, qreal width, qreal spacing,
                    qreal angleDegrees) {
    const qreal angle = angleDegrees * degreesToRadians;
    const QPointF along(std::cos(angle), std::sin(angle));
    const QPointF across(-along.y(), along.x());
    const QRectF bounds = area.boundingRect();
    const QPointF centre = bounds.center();
    const qreal reach = std::hypot(bounds.width(), bounds.height()) / 2 + 1;

    QList<QPointF> zigzag;
    bool forward = true;
    for (qreal t = -reach + spacing / 2; t < reach; t += spacing) {
        // The part of this line that lies inside the area, found by walking along it.
        qreal first = 0;
        qreal last = 0;
        bool found = false;
        for (qreal s = -reach; s <= reach; s += 1) {
            if (area.contains(centre + across * t + along * s)) {
                if (!found) {
                    first = s;
                }
                last = s;
                found = true;
            }
        }
        if (!found) {
            if (zigzag.size() > 1) {
                stroke(zigzag, ink, width);
            }
            zigzag.clear();
            continue;
        }
        // A child's stroke stops short of the edge or runs a little over it.
        first -= rng_.uniform(-1.0, 2.0);
        last += rng_.uniform(-1.0, 2.0);
        const QPointF base = centre + across * (t + rng_.uniform(-0.6, 0.6));
        const QPointF a = base + along * first;
        const QPointF b = base + along * last;
        zigzag.append(forward ? a : b);
        zigzag.append(forward ? b : a);
        forward = !forward;
    }
    if (zigzag.size() > 1) {
        stroke(zigzag, ink, width);
    }
}
