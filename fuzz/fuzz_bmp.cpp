// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes given to the bitmap reader end in a picture or in one of its two errors.
#include "base/Errors.h"
#include "pictures/BmpReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_bmp: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage image;
    try {
        image = BmpReader::decode(bytes);
    } catch (const EInvalidGraphic& e) {
        if (e.message() != QStringLiteral("Image bitmap incorrecte"))
            fail("unexpected EInvalidGraphic message");
        return 0;
    } catch (const EReadError& e) {
        if (e.message() != QStringLiteral("Erreur de lecture du flux"))
            fail("unexpected EReadError message");
        return 0;
    }
    // Anything else escaping (std::bad_alloc included) ends the run as a crash.
    if (size == 0) {
        if (!image.isNull())
            fail("an empty file gave a picture");
        return 0;
    }
    if (image.isNull())
        fail("a file gave neither a picture nor an error");
    if (image.width() > BmpReader::maxDimension || image.height() > BmpReader::maxDimension ||
        qint64(image.width()) * image.height() > BmpReader::maxPixels)
        fail("picture beyond the size limits");
    if (image.format() != QImage::Format_RGB32)
        fail("picture not in RGB32");
    // Every pixel is opaque: the reader writes each one, and reading them all lets the
    // sanitizer see a row that was never allocated.
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 255)
                fail("pixel not opaque");
    }
    return 0;
}
