// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the deck's pages: each sheet of fronts with its marks, then (for duplex printing) the
// same sheet's backs.
#pragma once

#include "deck/DeckOptions.h"
#include "deck/SheetLayout.h"

#include <QImage>
#include <functional>
#include <vector>

class QPainter;

namespace deck {

class DeckPainter {
public:
    // A face of the deck: a family's own card (card null) or one of its cards.
    struct Face {
        const content::Family* family = nullptr;
        const content::Card* card = nullptr;
    };

    // set must outlive the painter. Throws SetRefused for a family the set does not have.
    DeckPainter(const PrintedSet& set, const DeckOptions& options);

    const SheetLayout& layout() const { return layout_; }
    // In the deck's order: each family's own card, then its seven cards.
    const std::vector<Face>& faces() const { return faces_; }
    int sheetCount() const;
    int pageCount() const;
    // The page in millimetres from its top-left corner: the painter is scaled to them.
    void paintPage(QPainter& painter, int page) const;
    // The face drawn in card units from (0, 0), as a sheet draws it.
    void paintFace(QPainter& painter, const Face& face) const;
    void paintBack(QPainter& painter) const;
    // The card's units drawn into slot, turned and scaled.
    static void paintIn(QPainter& painter, const Slot& slot, qreal unitsHigh, qreal bleedUnits,
                        const std::function<void(QPainter&)>& paint);
    // The marks, the fold and the check line, drawn on every sheet of fronts.
    static void paintGuides(QPainter& painter, const SheetLayout& layout);

private:
    bool hasBackPages() const;

    const PrintedSet& set_;
    DeckOptions options_;
    SheetLayout layout_;
    std::vector<Face> faces_;
    QImage emblem_;
};

} // namespace deck
