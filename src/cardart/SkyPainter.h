// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the sky behind an album page and gives the tint its light casts on the land.
#pragma once

#include "assets/Content.h"

#include <QColor>

class QPainter;

namespace drawing {

using namespace content;

class SkyPainter {
public:
    // Fills the painter's whole window: gradient down to the horizon, then sun, moon or clouds.
    static void draw(QPainter& painter, AlbumPage::Sky sky, qreal horizon);
    // The colour laid over the land at this hour; transparent by day.
    static QColor tint(AlbumPage::Sky sky);
};

} // namespace drawing
