// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Centring and proportional scaling, with the truncating arithmetic the screens rely on.
#include "toolkit/Geometry.h"

namespace geometry {

QPoint centredPosition(QSize screen, QSize window) {
    const int top = (screen.height() - window.height()) / 2;
    const int left = (screen.width() - window.width()) / 2;
    return {left, top};
}

QSize drawnSize(QSize picture, QSize control, bool proportional) {
    const int w = picture.width();
    const int h = picture.height();
    const int cw = control.width();
    const int ch = control.height();
    if (!proportional || w <= 0 || h <= 0 || (w <= cw && h <= ch))
        return picture;
    const double ratio = double(w) / double(h);
    int width = 0;
    int height = 0;
    if (w > h) {
        width = cw;
        height = int(cw / ratio);
        if (height > ch) {
            height = ch;
            width = int(ch * ratio);
        }
    } else {
        height = ch;
        width = int(ch * ratio);
        if (width > cw) {
            width = cw;
            height = int(cw / ratio);
        }
    }
    return {width, height};
}

} // namespace geometry
