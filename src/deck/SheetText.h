// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Text on a sheet laid out in millimetres: the check line's label, the alignment page's words.
#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace deck {

class SheetText {
public:
    // text in box (millimetres), at the given size in points, read upwards when upright is false.
    static void draw(QPainter& painter, const QRectF& box, const QString& text, qreal points,
                     int alignment, bool upright = true);
};

} // namespace deck
