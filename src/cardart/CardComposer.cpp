// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Rows are named by their voice, as the workshop's list names them; the house style is the
// generator's own painters, handed the class's picture in place of the pictogram.
#include "cardart/CardComposer.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "cardart/AlbumPainter.h"
#include "cardart/CardPainter.h"
#include "cardart/PictogramPainter.h"

#include <QBuffer>

namespace cardcomposer {

namespace {

using catalogue::slashed;

struct Row {
    int card = 0; // 1 to 56, titles included; 0 for a page
    int page = 0;
};

Row rowOf(const QString& voiceName) {
    const int index = int(catalogue::voiceNames().indexOf(slashed(voiceName)));
    if (index < 0)
        throw SetRefused(QStringLiteral("« %1 » es pas una linha del jòc").arg(voiceName));
    return index < catalogue::lastCardNumber ? Row{index + 1, 0}
                                             : Row{0, index - catalogue::lastCardNumber + 1};
}

const content::Family& familyOf(const content::Content& content, int card) {
    const int index = (card - 1) / (catalogue::cardsPerFamily + 1) + 1;
    for (const content::Family& family : content.families)
        if (family.index == index)
            return family;
    throw SetRefused(QStringLiteral("La familha %1 es pas dins los tèxtes").arg(index));
}

// The strip shows a card as the class drew it, else its pictogram.
drawing::CardPainter::StripArt stripOf(const content::Family& family, const Gallery& gallery) {
    return [&family, &gallery](QPainter& painter, const content::Card& card, const QRectF& area) {
        if (const auto drawn = gallery.find(card.number); drawn != gallery.end())
            drawn->second.art.draw(painter, area, drawn->second.placement);
        else
            drawing::PictogramPainter::draw(painter, card.picture, area, family.colour);
    };
}

} // namespace

QStringList pictureNames(const QString& voiceName) {
    const Row row = rowOf(voiceName);
    if (row.page)
        return {slashed(catalogue::albumPicture(row.page))};
    if (catalogue::isTitleNumber(row.card))
        return {slashed(catalogue::miniature(row.card + 1))};
    return {slashed(catalogue::largeCard(row.card)), slashed(catalogue::smallCard(row.card))};
}

QSize artSize(const QString& voiceName) {
    const Row row = rowOf(voiceName);
    if (row.page)
        return drawing::AlbumPainter::artArea().size().toSize();
    if (catalogue::isTitleNumber(row.card))
        return drawing::CardPainter::miniatureArtArea().size().toSize();
    // A card is printed too: its drawing is kept for the page's 300 dpi, larger than the screen's.
    return (drawing::CardPainter::largeArtArea().size() * drawing::CardPainter::printScale())
        .toSize();
}

std::vector<Made> compose(const content::Content& content, const QString& voiceName,
                          const PictureArt& art, PictureArt::Placement placement,
                          const Gallery& gallery) {
    const Row row = rowOf(voiceName);
    const auto draw = [&art, placement](QPainter& painter, const QRectF& area) {
        art.draw(painter, area, placement);
    };
    if (row.page) {
        for (const content::AlbumPage& page : content.pages)
            if (page.number == row.page)
                return {{slashed(catalogue::albumPicture(row.page)),
                         drawing::AlbumPainter::page(page, draw)}};
        throw SetRefused(QStringLiteral("La pagina %1 es pas dins los tèxtes").arg(row.page));
    }
    const content::Family& family = familyOf(content, row.card);
    if (catalogue::isTitleNumber(row.card))
        return {{slashed(catalogue::miniature(row.card + 1)),
                 drawing::CardPainter::miniature(family, draw)}};
    for (const content::Card& card : family.cards)
        if (card.number == row.card) {
            // This card's new drawing in the strip too.
            Gallery shown = gallery;
            shown.insert_or_assign(card.number, PlacedArt{art, placement});
            return {{slashed(catalogue::largeCard(row.card)),
                     drawing::CardPainter::largeCard(family, card, draw, stripOf(family, shown))},
                    {slashed(catalogue::smallCard(row.card)),
                     drawing::CardPainter::smallCard(family, card, draw)}};
        }
    throw SetRefused(QStringLiteral("La carta %1 es pas dins los tèxtes").arg(row.card));
}

std::vector<Made> composeDefault(const content::Content& content, const QString& voiceName,
                                 const Gallery& gallery) {
    const Row row = rowOf(voiceName);
    if (row.page) {
        for (const content::AlbumPage& page : content.pages)
            if (page.number == row.page)
                return {{slashed(catalogue::albumPicture(row.page)),
                         drawing::AlbumPainter::page(page)}};
        throw SetRefused(QStringLiteral("La pagina %1 es pas dins los tèxtes").arg(row.page));
    }
    const content::Family& family = familyOf(content, row.card);
    if (catalogue::isTitleNumber(row.card))
        return {
            {slashed(catalogue::miniature(row.card + 1)), drawing::CardPainter::miniature(family)}};
    for (const content::Card& card : family.cards)
        if (card.number == row.card)
            return {{slashed(catalogue::largeCard(row.card)),
                     drawing::CardPainter::largeCard(
                         family, card,
                         [&family, &card](QPainter& painter, const QRectF& area) {
                             drawing::PictogramPainter::draw(painter, card.picture, area,
                                                             family.colour);
                         },
                         stripOf(family, gallery))},
                    {slashed(catalogue::smallCard(row.card)),
                     drawing::CardPainter::smallCard(family, card)}};
    throw SetRefused(QStringLiteral("La carta %1 es pas dins los tèxtes").arg(row.card));
}

QByteArray bmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

} // namespace cardcomposer
