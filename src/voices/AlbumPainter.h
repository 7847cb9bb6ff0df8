// Draws the album pages: a mountain landscape, the page's pictograms and its narration.
#pragma once

#include "voices/Content.h"

#include <QImage>

class QPainter;

namespace drawing {

using namespace content;

class AlbumPainter {
public:
    static QImage page(const AlbumPage& page);

private:
    static void drawLandscape(QPainter& painter, const AlbumPage& page);
    static void drawNarration(QPainter& painter, const QString& text);
    static void drawTitle(QPainter& painter, const QString& title);
};

} // namespace drawing
