// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a family's own card: its name and colour over its seven cards with their words, to
// print with the deck or to put on the board.
#pragma once

#include "cardart/CardPainter.h"

class QPainter;

namespace drawing {

class FamilyCardPainter {
public:
    // In card units from (0, 0); each card's picture is drawn by art, as on the large card's strip.
    static void paint(QPainter& painter, const CardPainter::Format& format, const Family& family,
                      const CardPainter::StripArt& art);
    // Where the row of the family's card at index (0 to 6) lies, picture and word.
    static QRectF rowArea(const CardPainter::Format& format, int index, int rows);
};

} // namespace drawing
