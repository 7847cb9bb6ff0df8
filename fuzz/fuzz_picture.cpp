// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes given as a class's picture are refused with a message, or are laid on
// a card and a page in both placements, at a cost bounded by the card, not the picture.
#include "base/Errors.h"
#include "pictures/PictureArt.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr QSize card(424, 300);
constexpr QSize page(700, 420);

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QSize area : {card, page}) {
        try {
            const PictureArt read = PictureArt::fromBytes(bytes, QStringLiteral("fuzz"), area);
            for (const auto placement : {PictureArt::Placement::Fill, PictureArt::Placement::Fit}) {
                const PictureArt kept = read.boundedTo(area, placement);
                const QSize most = (QSizeF(area) * PictureArt::oversampling).toSize();
                if (kept.image().width() > most.width() || kept.image().height() > most.height()) {
                    std::fprintf(stderr, "fuzz_picture: kept larger than the area allows\n");
                    std::abort();
                }
                QImage drawn(area, QImage::Format_RGB32);
                QPainter painter(&drawn);
                kept.draw(painter, QRectF(QPointF(), area), placement);
            }
        } catch (const Exception&) {
            // A refusal with a message is the expected answer to most inputs.
        }
    }
    try {
        PictureArt::checkKept(QStringLiteral("fuzz"), bytes);
    } catch (const Exception&) {
    }
    return 0;
}
