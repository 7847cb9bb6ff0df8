// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the bitmap fuzz target's hand-made seeds: tiny pictures of every depth and encoding the
// reader takes, and broken variants of them (truncated, bad fields, absurd sizes).
#include "support/BmpWriter.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <functional>

namespace {

constexpr int seedWidth = 13;
constexpr int seedHeight = 5;
const QVector<QRgb> twoColours{qRgb(0, 0, 0), qRgb(255, 228, 203)};
const QVector<QRgb> sixteenColours{qRgb(0, 0, 0),     qRgb(255, 0, 0),    qRgb(0, 255, 0),
                                   qRgb(0, 0, 255),   qRgb(255, 255, 0),  qRgb(0, 255, 255),
                                   qRgb(255, 0, 255), qRgb(128, 128, 128)};

bool save(const QDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;

    using bmpwriter::Encoding;
    const QImage two = bmpwriter::pattern(seedWidth, seedHeight, twoColours);
    const QImage many = bmpwriter::pattern(seedWidth, seedHeight, sixteenColours);
    struct Good {
        const char* name;
        QByteArray bytes;
    };
    const Good good[] = {
        {"d1.bmp", bmpwriter::encode(two, 1, twoColours)},
        {"d4.bmp", bmpwriter::encode(many, 4, sixteenColours)},
        {"d8.bmp", bmpwriter::encode(many, 8, sixteenColours)},
        {"d16.bmp", bmpwriter::encode(many, 16)},
        {"d16-565.bmp", bmpwriter::encode(many, 16, {}, Encoding::Bitfields565)},
        {"d24.bmp", bmpwriter::encode(many, 24)},
        {"d24-topdown.bmp", bmpwriter::encode(many, 24, {}, Encoding::Rgb, true)},
        {"d32.bmp", bmpwriter::encode(many, 32)},
        {"rle8.bmp", bmpwriter::encode(many, 8, sixteenColours, Encoding::Rle)},
        {"rle4.bmp", bmpwriter::encode(many, 4, sixteenColours, Encoding::Rle)},
        {"core8.bmp", bmpwriter::encode(many, 8, sixteenColours, Encoding::CoreHeader)},
        {"core24.bmp", bmpwriter::encode(many, 24, {}, Encoding::CoreHeader)},
    };

    // Each broken variant changes one thing in a good picture.
    using Edit = std::function<void(QByteArray&)>;
    const struct {
        const char* name;
        int from; // index into good
        Edit edit;
    } broken[] = {
        {"cut-10.bmp", 5, [](QByteArray& b) { b.truncate(10); }},
        {"cut-header.bmp", 5, [](QByteArray& b) { b.truncate(30); }},
        {"cut-table.bmp", 2, [](QByteArray& b) { b.truncate(60); }},
        {"cut-rows.bmp", 5, [](QByteArray& b) { b.chop(7); }},
        {"planes-2.bmp", 5, [](QByteArray& b) { bmpwriter::put16(b, 26, 2); }},
        {"depth-7.bmp", 5, [](QByteArray& b) { bmpwriter::put16(b, 28, 7); }},
        {"huge.bmp", 5, [](QByteArray& b) { bmpwriter::put32(b, 18, 0x7FFFFFFF); }},
        {"width-0.bmp", 5, [](QByteArray& b) { bmpwriter::put32(b, 18, 0); }},
        {"height-min.bmp", 5, [](QByteArray& b) { bmpwriter::put32(b, 22, 0x80000000u); }},
        {"colours-300.bmp", 2, [](QByteArray& b) { bmpwriter::put32(b, 46, 300); }},
        {"offset-far.bmp", 5, [](QByteArray& b) { bmpwriter::put32(b, 10, 0xFFFFFFF0u); }},
        {"header-size-20.bmp", 5, [](QByteArray& b) { bmpwriter::put32(b, 14, 20); }},
        {"signature.bmp", 5, [](QByteArray& b) { b[0] = 'M'; }},
        {"rle-topdown.bmp", 8, [](QByteArray& b) { bmpwriter::put32(b, 22, quint32(-5)); }},
        {"rle-jump.bmp", 8,
         [](QByteArray& b) { b.chop(2), b.append(QByteArray::fromHex("0002ffff05060001")); }},
        {"fields-zero.bmp", 4, [](QByteArray& b) { bmpwriter::put32(b, 54, 0); }},
        {"fields-high.bmp", 4, [](QByteArray& b) { bmpwriter::put32(b, 54, 0x80000000u); }},
    };

    bool ok = true;
    for (const Good& g : good)
        ok = save(dir, QLatin1String(g.name), g.bytes) && ok;
    for (const auto& b : broken) {
        QByteArray bytes = good[b.from].bytes;
        b.edit(bytes);
        ok = save(dir, QLatin1String(b.name), bytes) && ok;
    }
    return ok ? 0 : 1;
}
