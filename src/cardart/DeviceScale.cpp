// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The scale is read from the painter's whole transform, so a card turned on its sheet keeps it.
#include "cardart/DeviceScale.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace drawing {

qreal DeviceScale::of(const QPainter& painter) {
    const QTransform transform = painter.combinedTransform();
    return std::hypot(transform.m11(), transform.m12());
}

bool DeviceScale::isUnit(const QPainter& painter) {
    constexpr qreal tolerance = 1e-6;
    return std::abs(of(painter) - 1) < tolerance;
}

void DeviceScale::draw(QPainter& painter, const QRectF& area,
                       const std::function<void(QPainter&, const QRectF&)>& draw) {
    const qreal scale = of(painter);
    if (scale <= 0)
        return;
    painter.save();
    painter.scale(1 / scale, 1 / scale);
    draw(painter, QRectF(area.topLeft() * scale, area.size() * scale));
    painter.restore();
}

bool DeviceScale::isVector(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    return (engine && engine->type() == QPaintEngine::Pdf) ||
           (painter.device() && painter.device()->devType() == QInternal::Printer);
}

} // namespace drawing
