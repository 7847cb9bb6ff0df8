// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting and outlining text drawn into the asset pictures.
#include "cardart/Lettering.h"

#include "cardart/DeviceScale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace drawing {

namespace {
constexpr int smallestPixels = 6;
}

QFont Lettering::fitted(const char* family, bool bold, int maxPixels, const QString& text,
                        qreal width) {
    QFont font(QString::fromLatin1(family));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    for (int pixels = maxPixels; pixels > smallestPixels; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width)
            return font;
    }
    font.setPixelSize(smallestPixels);
    return font;
}

void Lettering::drawOutlined(QPainter& painter, const QFont& font, const QRectF& box,
                             const QString& text, const QColor& fill, const QColor& outline,
                             qreal outlineWidth) {
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(text);
    const QPointF baseline(box.center().x() - advance / 2,
                           box.center().y() + (metrics.ascent() - metrics.descent()) / 2);
    QPainterPath path;
    path.addText(baseline, font, text);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (outlineWidth > 0) {
        painter.setPen(QPen(outline, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(outline);
        painter.drawPath(path);
    }
    if (DeviceScale::isVector(painter)) {
        // On paper the word stays text: found by a search, sharp at any resolution.
        painter.setFont(font);
        painter.setPen(fill);
        painter.drawText(baseline, text);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPath(path);
    }
    painter.restore();
}

} // namespace drawing
