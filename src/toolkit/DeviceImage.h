// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture made ready to draw at a size in points on a display of some device pixel ratio.
#pragma once

#include <QImage>

namespace deviceimage {

// The picture at `drawn` points: at a ratio of 1, whole pixels taken or dropped without
// smoothing; above it, smoothly resampled to the device pixels, so that it is not pixel-doubled.
// Transparent pixels are best removed before, so that edges blend into what lies beneath.
QImage render(const QImage& picture, QSize drawn, qreal ratio);

} // namespace deviceimage
