// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where a layout puts its cards on a sheet, in millimetres from the sheet's top-left corner:
// the fronts, their backs, the cut marks, the fold and the check line.
#pragma once

#include "deck/DeckOptions.h"

#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <vector>

namespace deck {

// A card on the sheet: its true edge (where it is cut), and how many quarter turns clockwise
// it is drawn with.
struct Slot {
    QRectF card;
    int quarterTurns = 0;
};

class SheetLayout {
public:
    static constexpr qreal bleedMm = 3;
    // The paper around the cards holds the marks; a cut mark stops this far from any card.
    static constexpr qreal markGapMm = 1;
    static constexpr qreal markLengthMm = 5;
    static constexpr qreal checkLineMm = 50;
    // A folded sheet's cards stand this far from the fold.
    static constexpr qreal foldGapMm = 5;

    SheetLayout(Paper paper, Layout layout);

    QSizeF page() const { return page_; }
    Layout layout() const { return layout_; }
    qreal bleed() const { return bleed_; }
    int slotsPerSheet() const { return int(fronts_.size()); }
    const Slot& front(int index) const { return fronts_[size_t(index)]; }
    // Where the back of front(index) lies: on the same side of a folded sheet, else on the
    // sheet's other side, seen from that side, shifted as asked (a shift as seen through the
    // sheet from the front: right and down).
    Slot back(int index, Backs backs, QPointF shiftMm = {}) const;
    // That shift in the back side's own directions.
    static QPointF shiftOnBack(QPointF shiftMm, Backs backs);
    // The same mirroring for any point, as the alignment page uses it.
    QPointF behind(QPointF point, Backs backs) const;
    // The cut marks, each outside every card and its bleed, and ending markGapMm from it.
    std::vector<QLineF> cutMarks() const;
    // The fold of a folded sheet.
    std::optional<QLineF> fold() const;
    // A 50 mm line in the left margin, and the box of its label, along the margin.
    QLineF checkLine() const;
    QRectF checkLabel() const;

private:
    // The cards' rectangles with their bleed: what no mark may touch.
    std::vector<QRectF> printed() const;

    QSizeF page_;
    Layout layout_;
    qreal bleed_ = 0;
    int columns_ = 1;
    std::vector<Slot> fronts_;
    std::vector<Slot> foldedBacks_;
};

} // namespace deck
