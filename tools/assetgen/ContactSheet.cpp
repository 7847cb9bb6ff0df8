// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The contact sheet's layout: all miniatures, a few large and small cards, two album pages.
#include "ContactSheet.h"

#include "assets/DisplaySizes.h"
#include "cardart/AlbumPainter.h"
#include "cardart/CardPainter.h"
#include "cardart/Style.h"

#include <QPainter>

namespace assetgen {

namespace {

constexpr QSize sheetSize{1360, 1040};
constexpr int margin = 24;
constexpr int gap = 16;
constexpr qreal cardScale = 0.6;
constexpr qreal pageScale = 0.75;
constexpr int albumPagesShown[] = {1, 13};

QSize scaled(QSize size, qreal scale) {
    return (QSizeF(size) * scale).toSize();
}

// The left edge of a row of items, each followed by a gap, centred on the sheet.
int rowStart(int itemsWidth) {
    return (sheetSize.width() - itemsWidth + gap) / 2;
}

void place(QPainter& painter, const QImage& image, QPoint at, qreal scale = 1.0) {
    painter.drawImage(QRect(at, scaled(image.size(), scale)), image);
}

} // namespace

QImage ContactSheet::render(const Content& content) {
    QImage sheet(sheetSize, QImage::Format_RGB32);
    sheet.fill(QColor(0xEE, 0xEA, 0xE2));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const auto& families = content.families;

    const int miniStep = displaysize::miniature.width() + gap;
    QPoint at(rowStart(int(families.size()) * miniStep), margin);
    for (const Family& family : families) {
        place(painter, CardPainter::miniature(family), at);
        at.rx() += miniStep;
    }

    const QImage large[] = {CardPainter::blankCard(families),
                            CardPainter::largeCard(families[0], families[0].cards[1]),
                            CardPainter::largeCard(families[2], families[2].cards[0]),
                            CardPainter::largeCard(families[6], families[6].cards[4])};
    const QImage small[] = {CardPainter::smallCard(families[5], families[5].cards[0]),
                            CardPainter::smallCard(families[3], families[3].cards[3]),
                            CardPainter::smallCard(families[4], families[4].cards[5]),
                            CardPainter::smallCard(families[1], families[1].cards[2])};
    const int largeStep = scaled(displaysize::largeCard, cardScale).width() + gap;
    const QSize smallStep = displaysize::smallCard + QSize(gap, gap);
    at = QPoint(rowStart(4 * largeStep + 2 * smallStep.width()),
                margin + displaysize::miniature.height() + gap);
    const int cardsTop = at.y();
    for (const QImage& card : large) {
        place(painter, card, at, cardScale);
        at.rx() += largeStep;
    }
    for (int i = 0; i < 4; ++i)
        place(painter, small[i],
              at + QPoint((i % 2) * smallStep.width(), (i / 2) * smallStep.height()));

    const int pageStep = scaled(displaysize::albumPage, pageScale).width() + gap;
    at = QPoint(rowStart(2 * pageStep),
                cardsTop + scaled(displaysize::largeCard, cardScale).height() + gap);
    for (const int page : albumPagesShown) {
        place(painter, AlbumPainter::page(content.pages.at(page - 1)), at, pageScale);
        at.rx() += pageStep;
    }
    return sheet;
}

} // namespace assetgen
