// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Colour pictograms from the Noto Color Emoji font, trimmed to their ink and drawn at any size.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace drawing {

class EmojiRenderer {
public:
    // True when the font has a glyph for every code point of the character (joiners and
    // variation selectors aside).
    static bool supports(const QString& emoji);

    // The character at the font's own bitmap size, cropped to its visible pixels.
    static QImage image(const QString& emoji);

    // Draws the character as large as fits in box, centred, keeping its proportions.
    static void draw(QPainter& painter, const QString& emoji, const QRectF& box,
                     bool flipped = false);
    // The same with a white border all round, like a sticker, to stand out on any colour.
    static void drawSticker(QPainter& painter, const QString& emoji, const QRectF& box,
                            qreal border);
};

} // namespace drawing
