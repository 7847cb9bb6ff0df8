// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The cards are the workshop's own painters at the page's resolution; the sheet adds only its
// guides, all outside the cards.
#include "deck/DeckPainter.h"

#include "deck/SheetText.h"

#include "base/Errors.h"
#include "cardart/BackPainter.h"
#include "cardart/CardPainter.h"
#include "cardart/DeviceScale.h"
#include "cardart/FamilyCardPainter.h"
#include "cardart/PictogramPainter.h"
#include "cardart/Style.h"
#include "pictures/PictureLoader.h"

#include <QPainter>
#include <algorithm>
#include <functional>

namespace deck {

namespace {

using drawing::CardPainter;

constexpr qreal guideStrokeMm = 0.2;
constexpr qreal foldDashMm = 2;
constexpr qreal checkTickMm = 1.5;
constexpr qreal labelPointSize = 7;
const QString programName = QStringLiteral("Mirabosc");
const QString emblemResource = QStringLiteral(":/art/mainicon.bmp");

qreal mmPerUnit() {
    return drawing::style::paperCardWidthMm / CardPainter::unitsWide;
}

} // namespace

DeckPainter::DeckPainter(const PrintedSet& set, const DeckOptions& options)
    : set_(set), options_(options), layout_(options.paper, options.layout),
      emblem_(pictures::embedded(emblemResource)) {
    std::vector<int> chosen = options.families;
    if (chosen.empty())
        for (const content::Family& family : set.content.families)
            chosen.push_back(family.index);
    for (const int index : chosen) {
        const auto family =
            std::find_if(set.content.families.begin(), set.content.families.end(),
                         [index](const content::Family& one) { return one.index == index; });
        if (family == set.content.families.end())
            throw SetRefused(QStringLiteral("La familha %1 es pas dins lo jòc").arg(index));
        faces_.push_back({&*family, nullptr});
        for (const content::Card& card : family->cards)
            faces_.push_back({&*family, &card});
    }
}

int DeckPainter::sheetCount() const {
    const int perSheet = layout_.slotsPerSheet();
    return (int(faces_.size()) + perSheet - 1) / perSheet;
}

bool DeckPainter::hasBackPages() const {
    return options_.layout != Layout::Folded && options_.backs != Backs::None;
}

int DeckPainter::pageCount() const {
    return sheetCount() * (hasBackPages() ? 2 : 1);
}

void DeckPainter::paintIn(QPainter& painter, const Slot& slot, qreal unitsHigh, qreal bleedUnits,
                          const std::function<void(QPainter&)>& paint) {
    painter.save();
    painter.translate(slot.card.center());
    painter.rotate(90.0 * slot.quarterTurns);
    painter.scale(mmPerUnit(), mmPerUnit());
    painter.translate(-CardPainter::unitsWide / 2, -unitsHigh / 2);
    // Nothing of a card reaches beyond its bleed, where the marks are.
    painter.setClipRect(QRectF(-bleedUnits, -bleedUnits, CardPainter::unitsWide + 2 * bleedUnits,
                               unitsHigh + 2 * bleedUnits));
    paint(painter);
    painter.restore();
}

void DeckPainter::paintFace(QPainter& painter, const Face& face) const {
    const CardPainter::Format format = CardPainter::paperFormat(layout_.bleed());
    const auto art = [this, &face](QPainter& on, const content::Card& card, const QRectF& area) {
        if (set_.blank.count(card.number))
            return;
        if (const auto drawn = set_.drawings.find(card.number); drawn != set_.drawings.end()) {
            // The drawing at the page's resolution, from the largest the set keeps.
            drawing::DeviceScale::draw(on, area, [&drawn](QPainter& device, const QRectF& at) {
                device.setRenderHint(QPainter::SmoothPixmapTransform);
                drawn->second.art.draw(device, at, drawn->second.placement);
            });
            return;
        }
        drawing::PictogramPainter::draw(on, card.picture, area, face.family->colour);
    };
    if (!face.card) {
        drawing::FamilyCardPainter::paint(painter, format, *face.family, art);
        return;
    }
    CardPainter::paintLarge(
        painter, format, *face.family, *face.card,
        [&art, &face](QPainter& on, const QRectF& area) { art(on, *face.card, area); }, art);
}

void DeckPainter::paintBack(QPainter& painter) const {
    drawing::BackPainter::paint(painter, CardPainter::paperFormat(layout_.bleed()),
                                set_.content.families, emblem_, programName);
}

void DeckPainter::paintGuides(QPainter& painter, const SheetLayout& layout) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, guideStrokeMm, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF& mark : layout.cutMarks())
        painter.drawLine(mark);
    if (const auto fold = layout.fold()) {
        QPen dashed(Qt::gray, guideStrokeMm, Qt::CustomDashLine, Qt::FlatCap);
        dashed.setDashPattern({foldDashMm / guideStrokeMm, foldDashMm / guideStrokeMm});
        painter.setPen(dashed);
        painter.drawLine(*fold);
    }
    // The check line, with a tick at each end: 50 mm on a sheet printed at its true size.
    painter.setPen(QPen(Qt::black, guideStrokeMm, Qt::SolidLine, Qt::FlatCap));
    const QLineF check = layout.checkLine();
    painter.drawLine(check);
    for (const QPointF end : {check.p1(), check.p2()})
        painter.drawLine(end - QPointF(checkTickMm, 0), end + QPointF(checkTickMm, 0));
    SheetText::draw(painter, layout.checkLabel(),
                    QStringLiteral("imprimir a 100 % (linha de 50 mm)"), labelPointSize,
                    Qt::AlignCenter, false);
    painter.restore();
}

void DeckPainter::paintPage(QPainter& painter, int page) const {
    const int sheet = hasBackPages() ? page / 2 : page;
    const bool backSide = hasBackPages() && page % 2 == 1;
    const CardPainter::Format format = CardPainter::paperFormat(layout_.bleed());
    const int perSheet = layout_.slotsPerSheet();
    if (!backSide)
        paintGuides(painter, layout_);
    for (int slot = 0; slot < perSheet; ++slot) {
        const size_t index = size_t(sheet * perSheet + slot);
        if (index >= faces_.size())
            break;
        const auto back = [this](QPainter& on) { paintBack(on); };
        if (backSide) {
            paintIn(painter, layout_.back(slot, options_.backs, options_.backShiftMm),
                    format.height, format.bleed, back);
            continue;
        }
        paintIn(painter, layout_.front(slot), format.height, format.bleed,
                [this, index](QPainter& on) { paintFace(on, faces_[index]); });
        if (options_.layout == Layout::Folded)
            paintIn(painter, layout_.back(slot, options_.backs), format.height, format.bleed, back);
    }
}

} // namespace deck
