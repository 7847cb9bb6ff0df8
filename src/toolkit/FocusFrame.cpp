// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The focus frame: a broad yellow band between dark lines, visible on light and dark ground.
#include "toolkit/FocusFrame.h"

#include <QPainter>
#include <QRegion>

namespace focusframe {

namespace {

// Yellow between two dark lines: whatever the picture's colours, one of them stands out.
constexpr int edgeWidth = 2;
constexpr int bandWidth = 4;
const QColor band(255, 224, 0);
const QColor edge(20, 20, 20);

// The ring of `width` pixels just inside `rect`.
QRegion ring(QRect rect, int width) {
    return QRegion(rect).subtracted(rect.adjusted(width, width, -width, -width));
}

} // namespace

void paint(QPainter& painter, QRect rect) {
    const QRect inner = rect.adjusted(edgeWidth, edgeWidth, -edgeWidth, -edgeWidth);
    const QRect innermost = inner.adjusted(bandWidth, bandWidth, -bandWidth, -bandWidth);
    for (const QRect& part : ring(rect, edgeWidth))
        painter.fillRect(part, edge);
    for (const QRect& part : ring(inner, bandWidth))
        painter.fillRect(part, band);
    for (const QRect& part : ring(innermost, 1))
        painter.fillRect(part, edge);
}

} // namespace focusframe
