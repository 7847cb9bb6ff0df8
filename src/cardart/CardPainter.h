// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the family pictures: large and small cards, the family miniatures and the blank card.
#pragma once

#include "assets/Content.h"

#include <QImage>
#include <QRectF>
#include <functional>

class QPainter;

namespace drawing {

using namespace content;

class CardPainter {
public:
    // A large card's shape in its own units (its picture's pixels on screen): always 424 wide,
    // taller on paper; the frame's distance from the edge; colour beyond the edge for cutting.
    struct Format {
        qreal height = 576;
        qreal inset = 3;
        qreal bleed = 0;
    };
    static constexpr qreal unitsWide = 424;
    static Format screenFormat() { return {}; }
    // A playing card of paper with bleedMm of the frame's colour beyond each edge.
    static Format paperFormat(qreal bleedMm = 0);
    // The painter's scale from card units to pixels at the print resolution.
    static qreal printScale();

    static QImage largeCard(const Family& family, const Card& card);
    static QImage smallCard(const Family& family, const Card& card);
    static QImage miniature(const Family& family);
    // What fills a card's picture area instead of its pictogram: a class's drawing.
    using Art = std::function<void(QPainter& painter, const QRectF& area)>;
    static QImage largeCard(const Family& family, const Card& card, const Art& art);
    // The family's cards in the strip along the bottom drawn by strip, as the class drew them.
    using StripArt = std::function<void(QPainter& painter, const Card& card, const QRectF& area)>;
    static QImage largeCard(const Family& family, const Card& card, const Art& art,
                            const StripArt& strip);
    // The large card on any painter (a picture, a PDF page), in card units from (0, 0).
    static void paintLarge(QPainter& painter, const Format& format, const Family& family,
                           const Card& card, const Art& art, const StripArt& strip);
    static QImage smallCard(const Family& family, const Card& card, const Art& art);
    // The family's name under the drawing, in place of the fanned cards.
    static QImage miniature(const Family& family, const Art& art);
    static QRectF largeArtArea();
    static QRectF smallArtArea();
    static QRectF miniatureArtArea();
    // The back of a card, shown before a card is chosen; it carries the colours of all families.
    static QImage blankCard(const std::vector<Family>& families);

    // The frame of a card in the family's colour, with the cream face inside it; shared with the
    // family card and the back.
    static void paintFrame(QPainter& painter, const Format& format, const QColor& colour);
    static void paintFace(QPainter& painter, const Format& format, const QColor& colour);
};

} // namespace drawing
