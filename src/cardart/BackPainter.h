// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the back of the cards: the game's blank card, and the back of every printed card.
#pragma once

#include "cardart/CardPainter.h"

#include <QImage>
#include <QString>
#include <vector>

class QPainter;

namespace drawing {

class BackPainter {
public:
    // A lattice inside a gold border around the ring of the families' colours, in card units
    // from (0, 0). With an emblem (the program's icon) it takes the star's place, and the
    // program's name is written under the ring.
    static void paint(QPainter& painter, const CardPainter::Format& format,
                      const std::vector<Family>& families, const QImage& emblem = {},
                      const QString& name = {});
};

} // namespace drawing
