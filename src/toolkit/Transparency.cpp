// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Clearing one colour of a picture.
#include "toolkit/Transparency.h"

namespace transparency {

QRgb groundColour(const QImage& picture) {
    return picture.pixel(0, picture.height() - 1) | 0xFF000000u;
}

QImage withoutColour(const QImage& image, QRgb colour) {
    if (image.isNull())
        return image;
    // Alpha is only ever 0 or 255, so the premultiplied form holds the same pixels and draws
    // without a conversion.
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb opaque = colour | 0xFF000000u;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] | 0xFF000000u) == opaque)
                line[x] = 0;
    }
    return result;
}

} // namespace transparency
