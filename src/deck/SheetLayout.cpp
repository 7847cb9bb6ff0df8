// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Every layout is a grid centred on the sheet; the marks extend the grid's cut lines into the
// margins.
#include "deck/SheetLayout.h"

#include "cardart/Style.h"

#include <algorithm>
#include <set>

namespace deck {

namespace {

constexpr QSizeF a4{210, 297};
constexpr QSizeF letter{215.9, 279.4};
constexpr QSizeF card{drawing::style::paperCardWidthMm, drawing::style::paperCardHeightMm};
constexpr int nineColumns = 3;
constexpr int nineRows = 3;
constexpr int bleedColumns = 2;
constexpr int bleedRows = 4;
constexpr int foldedColumns = 3;
// Letter is 17.6 mm shorter than A4: its eight cards keep room for their marks with less bleed.
constexpr qreal letterBleedMm = 2;
constexpr qreal labelWidthMm = 3;
constexpr qreal checkFromCardsMm = 4;

// Cells of the given size in a grid centred on the page; each holds a card inset by bleed.
std::vector<Slot> grid(QSizeF page, QSizeF cell, int columns, int rows, qreal bleed, int turns) {
    const QPointF origin((page.width() - columns * cell.width()) / 2,
                         (page.height() - rows * cell.height()) / 2);
    std::vector<Slot> placed;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const QRectF at(origin + QPointF(column * cell.width(), row * cell.height()), cell);
            placed.push_back({at.adjusted(bleed, bleed, -bleed, -bleed), turns});
        }
    return placed;
}

} // namespace

SheetLayout::SheetLayout(Paper paper, Layout layout)
    : page_(paper == Paper::A4 ? a4 : letter), layout_(layout) {
    switch (layout) {
    case Layout::Nine:
        fronts_ = grid(page_, card, nineColumns, nineRows, 0, 0);
        columns_ = nineColumns;
        break;
    case Layout::Bleed: {
        bleed_ = paper == Paper::A4 ? bleedMm : letterBleedMm;
        // Turned a quarter: four rows of cards lying on their side fit the sheet's height.
        const QSizeF cell(card.height() + 2 * bleed_, card.width() + 2 * bleed_);
        fronts_ = grid(page_, cell, bleedColumns, bleedRows, bleed_, 1);
        columns_ = bleedColumns;
        break;
    }
    case Layout::Folded: {
        const qreal left = (page_.width() - foldedColumns * card.width()) / 2;
        const qreal middle = page_.height() / 2;
        for (int column = 0; column < foldedColumns; ++column) {
            const QRectF front(
                QPointF(left + column * card.width(), middle - foldGapMm - card.height()), card);
            fronts_.push_back({front, 0});
            // Folded over the middle, the lower half lies behind the upper, upside down.
            foldedBacks_.push_back({QRectF(QPointF(front.left(), middle + foldGapMm), card), 2});
        }
        columns_ = foldedColumns;
        break;
    }
    }
}

QPointF SheetLayout::behind(QPointF point, Backs backs) const {
    if (backs == Backs::ShortEdge)
        return {point.x(), page_.height() - point.y()};
    return {page_.width() - point.x(), point.y()};
}

QPointF SheetLayout::shiftOnBack(QPointF shiftMm, Backs backs) {
    return backs == Backs::ShortEdge ? QPointF(shiftMm.x(), -shiftMm.y())
                                     : QPointF(-shiftMm.x(), shiftMm.y());
}

Slot SheetLayout::back(int index, Backs backs, QPointF shiftMm) const {
    if (layout_ == Layout::Folded)
        return foldedBacks_[size_t(index)];
    const Slot& front = fronts_[size_t(index)];
    const QPointF a = behind(front.card.topLeft(), backs);
    const QPointF b = behind(front.card.bottomRight(), backs);
    // Turned over its short edge, a card's back is seen upside down from the back side.
    const int turns = (front.quarterTurns + (backs == Backs::ShortEdge ? 2 : 0)) % 4;
    return {QRectF(a, b).normalized().translated(shiftOnBack(shiftMm, backs)), turns};
}

std::vector<QRectF> SheetLayout::printed() const {
    std::vector<QRectF> all;
    for (const std::vector<Slot>* placed : {&fronts_, &foldedBacks_})
        for (const Slot& slot : *placed)
            all.push_back(slot.card.adjusted(-bleed_, -bleed_, bleed_, bleed_));
    return all;
}

std::vector<QLineF> SheetLayout::cutMarks() const {
    std::set<qreal> xs, ys;
    const std::vector<QRectF> cards = printed();
    QRectF bounds;
    for (const std::vector<Slot>* placed : {&fronts_, &foldedBacks_})
        for (const Slot& slot : *placed) {
            xs.insert({slot.card.left(), slot.card.right()});
            ys.insert({slot.card.top(), slot.card.bottom()});
        }
    for (const QRectF& rect : cards)
        bounds = bounds.united(rect);
    std::vector<QLineF> marks;
    const qreal above = bounds.top() - markGapMm;
    const qreal below = bounds.bottom() + markGapMm;
    const qreal before = bounds.left() - markGapMm;
    const qreal after = bounds.right() + markGapMm;
    for (const qreal x : xs) {
        marks.emplace_back(x, above, x, std::max(0.0, above - markLengthMm));
        marks.emplace_back(x, below, x, std::min(page_.height(), below + markLengthMm));
    }
    for (const qreal y : ys) {
        marks.emplace_back(before, y, std::max(0.0, before - markLengthMm), y);
        marks.emplace_back(after, y, std::min(page_.width(), after + markLengthMm), y);
    }
    return marks;
}

std::optional<QLineF> SheetLayout::fold() const {
    if (layout_ != Layout::Folded)
        return std::nullopt;
    return QLineF(0, page_.height() / 2, page_.width(), page_.height() / 2);
}

QLineF SheetLayout::checkLine() const {
    // Along the first row's side, between its marks.
    const QRectF first = fronts_.front().card;
    const qreal x = first.left() - bleed_ - checkFromCardsMm;
    const qreal top = first.center().y() - checkLineMm / 2;
    return {x, top, x, top + checkLineMm};
}

QRectF SheetLayout::checkLabel() const {
    // Along the second row's side (a folded sheet's backs), clear of the line.
    const QRectF row =
        layout_ == Layout::Folded ? foldedBacks_.front().card : fronts_[size_t(columns_)].card;
    const qreal x = fronts_.front().card.left() - bleed_ - checkFromCardsMm;
    return {x - labelWidthMm / 2, row.top() + markGapMm, labelWidthMm,
            row.height() - 2 * markGapMm};
}

} // namespace deck
