// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the album pages: a mountain landscape, the page's pictograms and its narration.
#pragma once

#include "assets/Content.h"

#include <QImage>
#include <QRectF>
#include <functional>

class QPainter;

namespace drawing {

using namespace content;

class AlbumPainter {
public:
    static QImage page(const AlbumPage& page);
    // The page with a picture of the class's own over the whole scene, under its title or text.
    static QImage page(const AlbumPage& page,
                       const std::function<void(QPainter& painter, const QRectF& area)>& art);
    static QRectF artArea();

private:
    static void drawLandscape(QPainter& painter, const AlbumPage& page);
    static void drawNarration(QPainter& painter, const QString& text);
    static void drawTitle(QPainter& painter, const QString& title);
};

} // namespace drawing
