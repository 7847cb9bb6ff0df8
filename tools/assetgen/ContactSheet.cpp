// The contact sheet's layout: all miniatures, a few large and small cards, two album pages.
#include "ContactSheet.h"

#include "AlbumPainter.h"
#include "CardPainter.h"

#include <QPainter>

namespace assetgen {

namespace {

constexpr QSize sheetSize{1280, 1040};
constexpr int margin = 24;
constexpr int gap = 16;
constexpr qreal cardScale = 0.6;
constexpr qreal pageScale = 0.75;

void place(QPainter& painter, const QImage& image, QPoint at, qreal scale = 1.0) {
    painter.drawImage(QRectF(at, image.size() * scale), image);
}

} // namespace

QImage ContactSheet::render(const Content& content) {
    QImage sheet(sheetSize, QImage::Format_RGB32);
    sheet.fill(QColor(0xEE, 0xEA, 0xE2));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    QPoint at(margin, margin);
    for (const Family& family : content.families) {
        const QImage mini = CardPainter::miniature(family);
        place(painter, mini, at);
        at.rx() += mini.width() + gap;
    }

    at = QPoint(margin, margin + 217 + gap);
    const auto& families = content.families;
    const QImage large[] = {CardPainter::blankCard(families),
                            CardPainter::largeCard(families[0], families[0].cards[1]),
                            CardPainter::largeCard(families[2], families[2].cards[0]),
                            CardPainter::largeCard(families[6], families[6].cards[4])};
    for (const QImage& card : large) {
        place(painter, card, at, cardScale);
        at.rx() += int(card.width() * cardScale) + gap;
    }
    const QImage small[] = {CardPainter::smallCard(families[5], families[5].cards[0]),
                            CardPainter::smallCard(families[3], families[3].cards[3]),
                            CardPainter::smallCard(families[4], families[4].cards[5]),
                            CardPainter::smallCard(families[1], families[1].cards[2])};
    for (int i = 0; i < 4; ++i)
        place(painter, small[i], at + QPoint((i % 2) * (100 + gap), (i / 2) * (138 + gap)));

    at = QPoint(margin, margin + 217 + gap + int(576 * cardScale) + gap);
    for (const int page : {1, 13}) {
        const QImage picture = AlbumPainter::page(content.pages.at(page - 1));
        place(painter, picture, at, pageScale);
        at.rx() += int(picture.width() * pageScale) + gap;
    }
    return sheet;
}

} // namespace assetgen
