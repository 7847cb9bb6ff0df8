// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Pool building and the draw of a round.
#include "screens/Tirage.h"

#include "base/Errors.h"
#include "screens/Generateur.h"

#include <algorithm>

namespace tirage {

namespace {

bool surLaTable(const Table& table, int32_t carte) {
    return std::find(table.begin() + 1, table.end(), carte) != table.end();
}

// The candidate loop below ends only when some pool card is still off the board: a pool of at
// least seven different cards with none of them on the board guarantees it for every slot.
bool tirable(const Pioche& pioche, int32_t nbPioche, const Table& table) {
    if (nbPioche < nbCases || nbPioche > taillePioche)
        return false;
    Pioche triees = pioche;
    std::sort(triees.begin(), triees.begin() + nbPioche);
    const auto fin = std::unique(triees.begin(), triees.begin() + nbPioche);
    const auto surLaTableDeja = [&table](int32_t carte) { return surLaTable(table, carte); };
    return fin - triees.begin() >= nbCases && std::none_of(triees.begin(), fin, surLaTableDeja);
}

} // namespace

int32_t construirePioche(const Familles& choisies, Pioche& pioche) {
    int32_t nbPioche = 0;
    for (int famille = 1; famille <= catalogue::familyCount; ++famille) {
        if (!choisies[famille - 1])
            continue;
        for (int32_t carte : catalogue::familyCards(famille))
            pioche[nbPioche++] = carte;
    }
    return nbPioche;
}

void tirerManche(Generateur& generateur, const Pioche& pioche, int32_t nbPioche,
                 int32_t& carteCible, int32_t& positionCible, Table& table, const Poser& poser) {
    if (!tirable(pioche, nbPioche, table))
        throw Exception(QStringLiteral("Las cartas se pòdon pas tirar"));
    carteCible = pioche[generateur.below(nbPioche)];
    positionCible = generateur.below(nbCases) + 1;
    table[positionCible] = carteCible;
    for (int i = 1; i <= nbCases; ++i) {
        int32_t carte = carteCible;
        if (i != positionCible) {
            do
                carte = pioche[generateur.below(nbPioche)];
            while (surLaTable(table, carte));
        }
        table[i] = carte;
        poser(i, carte);
    }
}

} // namespace tirage
