// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes test pictures as Windows bitmaps of every depth and encoding the reader must accept.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector>

namespace bmpwriter {

enum class Encoding { Rgb, Rle, Bitfields565, CoreHeader };

// Encodes `image` at `bitCount` bits per pixel. Depths of 8 and less use `palette` (every pixel
// of the image must be one of its colours). Rows go bottom-up unless topDown.
QByteArray encode(const QImage& image, int bitCount, const QVector<QRgb>& palette = {},
                  Encoding encoding = Encoding::Rgb, bool topDown = false);

// A deterministic test picture using only the given colours.
QImage pattern(int width, int height, const QVector<QRgb>& colours);

// Overwrites a little-endian field of a file in place.
void put16(QByteArray& bytes, int at, quint16 value);
void put32(QByteArray& bytes, int at, quint32 value);

} // namespace bmpwriter
