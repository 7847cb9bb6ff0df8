// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Lanczos resampling of pictograms, sharper than the bilinear filter of QPainter when enlarging.
#pragma once

#include <QImage>
#include <QSize>

namespace drawing {

class Resampler {
public:
    // The image (any format; premultiplied ARGB is used inside) at exactly the given size.
    static QImage lanczos(const QImage& image, QSize size);
};

} // namespace drawing
