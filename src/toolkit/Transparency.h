// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Transparency by colour: how image controls and picture buttons leave their ground undrawn.
#pragma once

#include <QImage>

namespace transparency {

// The colour a transparent picture leaves undrawn: its bottom-left pixel's.
QRgb groundColour(const QImage& picture);

// The image with every pixel of exactly that colour made fully transparent; every other pixel,
// blended edges included, stays opaque. A null image stays null.
QImage withoutColour(const QImage& image, QRgb colour);

// Both at once, for a picture drawn at its own size.
inline QImage withoutGround(const QImage& picture) {
    return picture.isNull() ? picture : withoutColour(picture, groundColour(picture));
}

} // namespace transparency
