// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Our Windows bitmap decoder: every header variant, 1 to 32 bits, RLE, with safe size limits.
#pragma once

#include <QByteArray>
#include <QImage>

class BmpReader {
public:
    // Largest width or height accepted, and largest picture in pixels: a header asking for
    // more is refused before anything is allocated.
    static constexpr int maxDimension = 16384;
    static constexpr qint64 maxPixels = qint64(64) * 1024 * 1024;

    // Decodes the whole file held in bytes into an RGB32 picture. An empty array gives a null
    // picture. Throws EReadError when the data ends early, EInvalidGraphic when it is no bitmap.
    static QImage decode(const QByteArray& bytes);
};
