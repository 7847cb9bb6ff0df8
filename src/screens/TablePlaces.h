// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where everything lies on the game's table: within 1024 x 768 with a window manager's frame,
// cards at the explorer's small card size, up to 21 in the hand in three rows of seven.
#pragma once

#include "assets/DisplaySizes.h"

#include <QRect>

namespace tableplaces {

constexpr int margin = 8;
constexpr QSize card = displaysize::smallCard;
// A card of the hand sits in a cell whose border is its family's colour.
constexpr int cellBorder = 4;
constexpr QSize cell{card.width() + 2 * cellBorder, card.height() + 2 * cellBorder};
constexpr int handColumns = 7;
constexpr int handRowsShown = 3; // 21 cards; a larger hand grows the window downwards
constexpr int handCapacity = 42; // six of each of seven families
constexpr int maxOpponents = 3;

// The computer players down the left side: face, name, cards and families.
constexpr QSize face{80, 80};
constexpr int opponentStep = 112;
constexpr QPoint firstFace{margin, margin};
constexpr int labelsLeft = margin + 88;
constexpr int labelWidth = 120;
constexpr int nameTop = 6;
constexpr int countTop = 30;
constexpr int familiesTop = 52;

// The pile below them, then the replay button.
constexpr QRect pile{margin, margin + maxOpponents* opponentStep, card.width(), card.height()};
constexpr QPoint pileLabel{margin + card.width() + 8, pile.top() + 56};
constexpr QRect replay{margin, pile.bottom() + 16, 193, 57};
constexpr QSize speaker{48, 48};

// On the right: the wanted cards (or the right answer shown), then the child's own line and hand.
constexpr int right = 224;
constexpr int askTop = margin;
constexpr int askStep = card.width() + 8;
constexpr int childLineTop = askTop + card.height() + 6;
constexpr int handTop = childLineTop + 22;
constexpr QRect end{right, askTop, handColumns* cell.width(), card.height()};

constexpr QRect tableRect{0, 0, right + handColumns* cell.width() + margin,
                          handTop + handRowsShown* cell.height() + margin};

constexpr QPoint cellAt(int index) {
    return {right + (index % handColumns) * cell.width(),
            handTop + (index / handColumns) * cell.height()};
}

} // namespace tableplaces
