// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Lettering for the pictures: fonts shrunk to fit a width, and words with an outline.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace drawing {

class Lettering {
public:
    // The family's font at the largest pixel size, up to maxPixels, whose line fits width.
    static QFont fitted(const char* family, bool bold, int maxPixels, const QString& text,
                        qreal width);
    // Text centred in box, filled with fill and ringed with an outline of the given width.
    static void drawOutlined(QPainter& painter, const QFont& font, const QRectF& box,
                             const QString& text, const QColor& fill, const QColor& outline,
                             qreal outlineWidth);
};

} // namespace drawing
