// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The 16-colour bitmap writer: file header, info header, colour table, then rows of nibbles.
#include "IndexedBmp.h"

#include <QtEndian>
#include <stdexcept>

namespace art {
namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr int paletteEntries = 16;
constexpr int bytesPerPaletteEntry = 4;
constexpr int bitsPerPixel = 4;
constexpr int pixelsPerMetre = 2835; // 72 dots per inch

void put16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QByteArray encodeBmp4(const QImage& indexed) {
    if (indexed.format() != QImage::Format_Indexed8 || indexed.colorCount() > paletteEntries ||
        indexed.isNull()) {
        throw std::invalid_argument("a 16-colour bitmap needs an indexed image of 16 colours");
    }
    const int width = indexed.width();
    const int height = indexed.height();
    // Each row is padded to a whole number of 32-bit words.
    const int rowBytes = ((width * bitsPerPixel + 31) / 32) * 4;
    const int pixelOffset = fileHeaderSize + infoHeaderSize + paletteEntries * bytesPerPaletteEntry;
    const int fileSize = pixelOffset + rowBytes * height;

    QByteArray out;
    out.reserve(fileSize);
    out.append("BM", 2);
    put32(out, fileSize);
    put32(out, 0); // two reserved words
    put32(out, pixelOffset);

    put32(out, infoHeaderSize);
    put32(out, width);
    put32(out, height); // positive: the bottom row comes first
    put16(out, 1);      // one plane
    put16(out, bitsPerPixel);
    put32(out, 0); // no compression
    put32(out, rowBytes * height);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, paletteEntries);
    put32(out, 0); // every colour matters

    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < paletteEntries; ++i) {
        const QRgb colour = i < table.size() ? table[i] : qRgb(0, 0, 0);
        out.append(static_cast<char>(qBlue(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qRed(colour)));
        out.append('\0');
    }

    for (int y = height - 1; y >= 0; --y) {
        const uchar* row = indexed.constScanLine(y);
        QByteArray packed(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const int nibble = row[x] & 0x0F;
            packed[x / 2] = static_cast<char>(packed[x / 2] | (x % 2 == 0 ? nibble << 4 : nibble));
        }
        out.append(packed);
    }
    return out;
}

} // namespace art
