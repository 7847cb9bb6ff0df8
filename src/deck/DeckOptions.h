// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What a teacher chooses when she prints the deck: paper, layout, backs, families, back shift.
#pragma once

#include "assets/Content.h"
#include "pictures/PictureArt.h"

#include <QPointF>
#include <QStringList>
#include <map>
#include <set>
#include <vector>

namespace deck {

enum class Paper { A4, Letter };
// Nine cards without bleed; eight with bleed, turned on the sheet; three folded over their backs.
enum class Layout { Nine, Bleed, Folded };
// Backs on their own sheets, behind the fronts once the sheet is turned over its long edge
// (columns mirrored) or its short edge (rows mirrored). A folded sheet carries its own backs.
enum class Backs { None, LongEdge, ShortEdge };

// A shift beyond this is no printer's fault but a wrong number.
constexpr double largestBackShiftMm = 10;

struct DeckOptions {
    Paper paper = Paper::A4;
    Layout layout = Layout::Nine;
    Backs backs = Backs::None;
    // 1 to 7, in the deck's order; empty: all of them.
    std::vector<int> families;
    // Every back moved right and down by this much, for a printer that turns its sheets askew.
    QPointF backShiftMm;
};

// The set as it is printed: its words, the class's drawings by card number, and the cards
// whose picture could not be read, printed without it.
struct PrintedSet {
    content::Content content;
    std::map<int, PlacedArt> drawings;
    std::set<int> blank;
};

// The names the command line and the dialog give the choices.
QStringList paperNames();
QStringList layoutNames();
QStringList backsNames();

} // namespace deck
