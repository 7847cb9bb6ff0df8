// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The review's rules: building the pool from the chosen families and drawing a round's board.
#pragma once

#include "assets/Catalogue.h"

#include <array>
#include <cstdint>
#include <functional>

class Generateur;

namespace tirage {

constexpr int taillePioche = 56;
constexpr int nbCases = 7;
constexpr int32_t vide = -1;

using Pioche = std::array<int32_t, taillePioche>;
// Board slots 1 to 7, as the pictures are numbered; index 0 is never used.
using Table = std::array<int32_t, nbCases + 1>;
using Familles = std::array<bool, catalogue::familyCount>; // index k - 1 for family k

// Lists the cards of the chosen families, family by family in ascending order, titles left
// out, from slot 0; returns how many. Slots past the count keep what they held.
int32_t construirePioche(const Familles& choisies, Pioche& pioche);

// Called once slot `caseTable` holds `carte`, before the next slot is chosen; an exception
// thrown from it ends the draw there, leaving the later slots as they were.
using Poser = std::function<void(int caseTable, int32_t carte)>;

// Draws a round from pool slots 0 to nbPioche - 1: the target, its slot, then slots 1 to 7 in
// order, each a pool card on no slot of the board yet. The target and its slot are stored
// before any slot is laid. Throws Exception (its message in Occitan, for the error box),
// drawing nothing, unless the pool holds at least seven different cards and none of them is on
// the board already.
void tirerManche(Generateur& generateur, const Pioche& pioche, int32_t nbPioche,
                 int32_t& carteCible, int32_t& positionCible, Table& table, const Poser& poser);

} // namespace tirage
