// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// BmpReader: header parsing and the per-depth row decoders.
#include "pictures/BmpReader.h"

#include "base/Errors.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr int fileHeaderSize = 14;
constexpr int coreHeaderSize = 12;
constexpr int infoHeaderSize = 40;
constexpr uint32_t biRgb = 0, biRle8 = 1, biRle4 = 2, biBitfields = 3, biAlphaBitfields = 6;
// An RLE stream can skip pixels cheaply, but no real picture expands beyond this ratio.
constexpr qint64 maxRleExpansion = 1024;

[[noreturn]] void invalid() {
    throw EInvalidGraphic(QStringLiteral("Image bitmap incorrecte"));
}
[[noreturn]] void shortRead() {
    throw EReadError(QStringLiteral("Erreur de lecture du flux"));
}

struct Cursor {
    const uint8_t* data;
    qint64 size;

    uint16_t u16(qint64 at) const { return uint16_t(data[at] | data[at + 1] << 8); }
    uint32_t u32(qint64 at) const {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
    }
    int32_t i32(qint64 at) const { return int32_t(u32(at)); }
};

struct Header {
    int width = 0;
    int height = 0; // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = biRgb;
    uint32_t masks[3] = {0, 0, 0};
    qint64 tableAt = 0;
    int tableEntries = 0;
    int entrySize = 4;
};

// A channel of a bit-field pixel: where it sits and how to widen it to eight bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (!m)
            return;
        while (!((m >> shift) & 1u))
            ++shift;
        while (bits < 32 - shift && ((m >> (shift + bits)) & 1u))
            ++bits;
    }
    uint32_t expand(uint32_t pixel) const {
        if (!bits)
            return 0;
        const uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return v >> (bits - 8);
        const uint32_t max = (1u << bits) - 1;
        return (v * 255 + max / 2) / max;
    }
};

Header readHeader(const Cursor& in) {
    if (in.size < fileHeaderSize)
        shortRead();
    if (in.data[0] != 'B' || in.data[1] != 'M')
        invalid();
    if (in.size < fileHeaderSize + 4)
        shortRead();
    const uint32_t headerSize = in.u32(fileHeaderSize);
    if (headerSize != coreHeaderSize && (headerSize < infoHeaderSize || headerSize > 124))
        invalid();
    if (in.size < fileHeaderSize + qint64(headerSize))
        shortRead();

    const qint64 at = fileHeaderSize;
    Header h;
    qint64 width = 0, height = 0;
    int planes = 0;
    uint32_t colorsUsed = 0;
    if (headerSize == coreHeaderSize) {
        width = in.u16(at + 4);
        height = in.u16(at + 6);
        planes = in.u16(at + 8);
        h.bitCount = in.u16(at + 10);
        h.entrySize = 3;
    } else {
        width = in.i32(at + 4);
        height = in.i32(at + 8);
        planes = in.u16(at + 12);
        h.bitCount = in.u16(at + 14);
        h.compression = in.u32(at + 16);
        colorsUsed = in.u32(at + 32);
    }
    if (planes != 1)
        invalid();
    if (height < 0) {
        h.topDown = true;
        height = -height;
    }
    if (width <= 0 || height <= 0 || width > BmpReader::maxDimension ||
        height > BmpReader::maxDimension || width * height > BmpReader::maxPixels)
        invalid();
    h.width = int(width);
    h.height = int(height);

    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        invalid();
    }
    const uint32_t c = h.compression;
    const bool ok =
        c == biRgb || (c == biRle8 && h.bitCount == 8) || (c == biRle4 && h.bitCount == 4) ||
        ((c == biBitfields || c == biAlphaBitfields) && (h.bitCount == 16 || h.bitCount == 32));
    if (!ok || (h.topDown && (c == biRle8 || c == biRle4)))
        invalid();

    h.tableAt = fileHeaderSize + headerSize;
    if (c == biBitfields || c == biAlphaBitfields) {
        if (headerSize >= 52) {
            for (int i = 0; i < 3; ++i)
                h.masks[i] = in.u32(at + 40 + 4 * i);
        } else {
            const int count = c == biAlphaBitfields ? 4 : 3;
            if (in.size < h.tableAt + 4 * count)
                shortRead();
            for (int i = 0; i < 3; ++i)
                h.masks[i] = in.u32(h.tableAt + 4 * i);
            h.tableAt += 4 * count;
        }
    } else if (h.bitCount == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else if (h.bitCount == 32) {
        h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
    }

    if (h.bitCount <= 8) {
        const uint32_t maxEntries = 1u << h.bitCount;
        if (colorsUsed > 256)
            invalid();
        h.tableEntries = int(colorsUsed ? colorsUsed : maxEntries);
        if (in.size < h.tableAt + qint64(h.tableEntries) * h.entrySize)
            shortRead();
    }
    return h;
}

std::array<QRgb, 256> readPalette(const Cursor& in, const Header& h) {
    std::array<QRgb, 256> palette{};
    palette.fill(qRgb(0, 0, 0));
    for (int i = 0; i < h.tableEntries; ++i) {
        const uint8_t* e = in.data + h.tableAt + qint64(i) * h.entrySize;
        palette[size_t(i)] = qRgb(e[2], e[1], e[0]);
    }
    return palette;
}

uint32_t le32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big)
        v = v >> 24 | (v >> 8 & 0xFF00u) | (v << 8 & 0xFF0000u) | v << 24;
    return v;
}

// One row of 24-bit pixels, four at a time from three little-endian words: every card picture
// goes through here, and byte-by-byte assembly made it three times slower.
void bgrRow(const uint8_t* src, QRgb* dst, int width) {
    constexpr uint32_t opaque = 0xFF000000u;
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 12) {
        const uint32_t w0 = le32(src), w1 = le32(src + 4), w2 = le32(src + 8);
        dst[x] = opaque | (w0 & 0xFFFFFFu);
        dst[x + 1] = opaque | w0 >> 24 | (w1 & 0xFFFFu) << 8;
        dst[x + 2] = opaque | w1 >> 16 | (w2 & 0xFFu) << 16;
        dst[x + 3] = opaque | w2 >> 8;
    }
    for (; x < width; ++x, src += 3)
        dst[x] = opaque | uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
}

// The bytes of one row of pixels, padded to a multiple of four.
qint64 rowStride(const Header& h) {
    return ((qint64(h.width) * h.bitCount + 31) / 32) * 4;
}

// The caller has checked that every row lies within the file.
void decodeRows(const Cursor& in, qint64 offset, const Header& h, QImage& image) {
    const qint64 stride = rowStride(h);
    const auto palette = readPalette(in, h);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    for (int row = 0; row < h.height; ++row) {
        const uint8_t* src = in.data + offset + stride * row;
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(h.topDown ? row : h.height - 1 - row));
        switch (h.bitCount) {
        case 24:
            bgrRow(src, dst, h.width);
            break;
        case 8:
            for (int x = 0; x < h.width; ++x)
                dst[x] = palette[src[x]];
            break;
        case 4:
            for (int x = 0; x < h.width; ++x)
                dst[x] = palette[(x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4)];
            break;
        case 1:
            for (int x = 0; x < h.width; ++x)
                dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 16:
        case 32:
            for (int x = 0; x < h.width; ++x) {
                const uint32_t p = h.bitCount == 16 ? uint32_t(src[2 * x] | src[2 * x + 1] << 8)
                                                    : Cursor{src + 4 * x, 4}.u32(0);
                dst[x] = qRgb(int(red.expand(p)), int(green.expand(p)), int(blue.expand(p)));
            }
            break;
        }
    }
}

// Run-length data: pairs of (count, index) with escapes for end of line, end of picture,
// a jump and literal runs. A stream that ends early leaves the rest at colour 0.
void decodeRle(const Cursor& in, qint64 offset, const Header& h, QImage& image) {
    const auto palette = readPalette(in, h);
    image.fill(palette[0]);
    const bool four = h.compression == biRle4;
    int x = 0, y = 0; // y counts from the bottom row
    qint64 at = offset;
    auto put = [&](int index) {
        if (x < h.width && y < h.height)
            reinterpret_cast<QRgb*>(image.scanLine(h.height - 1 - y))[x] = palette[size_t(index)];
        ++x;
    };
    while (at + 1 < in.size && y < h.height) {
        const int count = in.data[at];
        const int value = in.data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
        } else if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (at + 1 >= in.size)
                break;
            x += in.data[at], y += in.data[at + 1];
            at += 2;
        } else {
            const qint64 bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > in.size)
                break;
            for (int i = 0; i < value; ++i)
                put(four ? ((i & 1) ? in.data[at + i / 2] & 0x0F : in.data[at + i / 2] >> 4)
                         : in.data[at + i]);
            at += bytes + (bytes & 1);
        }
    }
}

} // namespace

QImage BmpReader::decode(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    const Cursor in{reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size()};
    const Header h = readHeader(in);

    qint64 offset = in.u32(10);
    const qint64 tableEnd = h.tableAt + qint64(h.tableEntries) * h.entrySize;
    if (offset < tableEnd || offset > in.size)
        offset = tableEnd; // many writers leave this field wrong; the data follows the table
    const bool rle = h.compression == biRle8 || h.compression == biRle4;
    if (rle && qint64(h.width) * h.height > (in.size - offset) * maxRleExpansion + 65536)
        invalid();
    if (!rle && offset + rowStride(h) * h.height > in.size)
        shortRead(); // before the picture is allocated

    QImage image(h.width, h.height, QImage::Format_RGB32);
    if (image.isNull())
        invalid();
    if (rle)
        decodeRle(in, offset, h, image);
    else
        decodeRows(in, offset, h, image);
    return image;
}
