// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a card's pictogram: an emoji, a calendar sheet for a weekday, or a splash of paint.
#pragma once

#include "assets/Content.h"

#include <QRectF>

class QPainter;

namespace drawing {

using namespace content;

class PictogramPainter {
public:
    // Fills box (a square works best) with the pictogram; accent is the family's colour.
    static void draw(QPainter& painter, const Pictogram& picture, const QRectF& box,
                     const QColor& accent);

private:
    static void drawCalendar(QPainter& painter, const Pictogram& picture, const QRectF& box,
                             const QColor& accent);
    static void drawSplash(QPainter& painter, const Pictogram& picture, const QRectF& box);
};

} // namespace drawing
