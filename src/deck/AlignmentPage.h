// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The alignment page: a cross on each side of one sheet, at the same place once the sheet is
// turned, so a teacher sees against the light whether her printer's backs fall behind fronts.
#pragma once

#include "deck/SheetLayout.h"

class QPainter;

namespace deck {

class AlignmentPage {
public:
    static constexpr int pageCount = 2;
    // Where the front's cross is, in millimetres from the sheet's top-left corner: nowhere
    // symmetric, so a sheet turned the wrong way shows it.
    static QPointF crossOnFront(const SheetLayout& layout);
    // Where the back's cross is drawn on the back side, with the back shift applied.
    static QPointF crossOnBack(const SheetLayout& layout, Backs backs, QPointF shiftMm);
    // The front (page 0) with its rulers and instructions, or the back (page 1).
    static void paint(QPainter& painter, const SheetLayout& layout, Backs backs, QPointF shiftMm,
                      int page);
};

} // namespace deck
