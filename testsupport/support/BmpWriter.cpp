// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// BmpWriter: headers, palettes, padded rows and a simple run-length encoder.
#include "support/BmpWriter.h"

namespace bmpwriter {

void put16(QByteArray& bytes, int at, quint16 value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void put32(QByteArray& bytes, int at, quint32 value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

QImage pattern(int width, int height, const QVector<QRgb>& colours) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colours[((x / 3) * 7 + y * 3 + (x * y) % 5) % colours.size()]);
    return image;
}

static int indexOf(const QVector<QRgb>& palette, QRgb colour) {
    return int(palette.indexOf(colour | 0xFF000000u));
}

static QByteArray rleRow(const QImage& image, int y, const QVector<QRgb>& palette, bool four) {
    QByteArray out;
    int x = 0;
    while (x < image.width()) {
        const int index = indexOf(palette, image.pixel(x, y));
        int run = 1;
        // Four-bit runs alternate two indexes; keeping runs of one colour is simplest.
        while (x + run < image.width() && run < 255 &&
               indexOf(palette, image.pixel(x + run, y)) == index)
            ++run;
        out.append(char(run));
        out.append(char(four ? (index << 4 | index) : index));
        x += run;
    }
    out.append(char(0)).append(char(0)); // end of line
    return out;
}

QByteArray encode(const QImage& image, int bitCount, const QVector<QRgb>& palette,
                  Encoding encoding, bool topDown) {
    const bool core = encoding == Encoding::CoreHeader;
    const int headerSize = core ? 12 : 40;
    const int w = image.width(), h = image.height();
    const bool rle = encoding == Encoding::Rle;
    const bool fields = encoding == Encoding::Bitfields565;

    QByteArray pixels;
    if (rle) {
        for (int row = 0; row < h; ++row)
            pixels += rleRow(image, h - 1 - row, palette, bitCount == 4);
        pixels.append(char(0)).append(char(1)); // end of picture
    } else {
        const int stride = ((w * bitCount + 31) / 32) * 4;
        for (int row = 0; row < h; ++row) {
            const int y = topDown ? row : h - 1 - row;
            QByteArray line(stride, '\0');
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y);
                switch (bitCount) {
                case 1:
                    line[x / 8] = char(line[x / 8] | indexOf(palette, c) << (7 - x % 8));
                    break;
                case 4:
                    line[x / 2] = char(line[x / 2] | indexOf(palette, c) << (x % 2 ? 0 : 4));
                    break;
                case 8:
                    line[x] = char(indexOf(palette, c));
                    break;
                case 16: {
                    const quint16 v =
                        fields
                            ? quint16((qRed(c) >> 3) << 11 | (qGreen(c) >> 2) << 5 | qBlue(c) >> 3)
                            : quint16((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3);
                    line[2 * x] = char(v & 0xFF);
                    line[2 * x + 1] = char(v >> 8);
                    break;
                }
                case 24:
                    line[3 * x] = char(qBlue(c)), line[3 * x + 1] = char(qGreen(c)),
                             line[3 * x + 2] = char(qRed(c));
                    break;
                case 32:
                    line[4 * x] = char(qBlue(c)), line[4 * x + 1] = char(qGreen(c)),
                             line[4 * x + 2] = char(qRed(c));
                    line[4 * x + 3] = char(0x7F); // an alpha byte the reader must ignore
                    break;
                }
            }
            pixels += line;
        }
    }

    QByteArray table;
    if (bitCount <= 8)
        for (QRgb c : palette) {
            table.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
            if (!core)
                table.append(char(0));
        }
    if (core && bitCount <= 8) // the old header has no colour count: the table is always full
        table.append(QByteArray(((1 << bitCount) - int(palette.size())) * 3, '\0'));
    if (fields) {
        QByteArray masks(12, '\0');
        put32(masks, 0, 0xF800), put32(masks, 4, 0x07E0), put32(masks, 8, 0x001F);
        table = masks;
    }

    QByteArray header(14 + headerSize, '\0');
    header[0] = 'B', header[1] = 'M';
    const int offset = 14 + headerSize + int(table.size());
    put32(header, 2, quint32(offset + pixels.size()));
    put32(header, 10, quint32(offset));
    put32(header, 14, quint32(headerSize));
    if (core) {
        put16(header, 18, quint16(w)), put16(header, 20, quint16(h));
        put16(header, 22, 1), put16(header, 24, quint16(bitCount));
    } else {
        put32(header, 18, quint32(w)), put32(header, 22, quint32(topDown ? -h : h));
        put16(header, 26, 1), put16(header, 28, quint16(bitCount));
        put32(header, 30, rle ? (bitCount == 8 ? 1 : 2) : fields ? 3 : 0);
        put32(header, 34, quint32(pixels.size()));
        put32(header, 46, bitCount <= 8 ? quint32(palette.size()) : 0);
    }
    return header + table + pixels;
}

} // namespace bmpwriter
