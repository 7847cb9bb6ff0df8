// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's computer players, drawn in felt pen as the menu's landscape is: Joana, Pèire and
// Guilhèm.
#pragma once

#include <QImage>

namespace art {

// Player 1 to 3, on white paper.
QImage drawFace(int player);

} // namespace art
