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

// The candidate loop below ends only when some pool card is still off the board; this is
// what guarantees it, whatever state the pool and the board were left in.
void verifierPioche(const Pioche& pioche, int32_t nbPioche, const Table& table) {
    if (nbPioche < nbCases || nbPioche > taillePioche)
        throw Exception(QStringLiteral("La pioche ne contient pas sept cartes"));
    Pioche triees = pioche;
    std::sort(triees.begin(), triees.begin() + nbPioche);
    const auto fin = std::unique(triees.begin(), triees.begin() + nbPioche);
    if (fin - triees.begin() < nbCases)
        throw Exception(QStringLiteral("La pioche ne contient pas sept cartes différentes"));
    for (auto carte = triees.begin(); carte != fin; ++carte)
        if (surLaTable(table, *carte))
            throw Exception(QStringLiteral("La table de jeu n'a pas été vidée"));
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
    verifierPioche(pioche, nbPioche, table);
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
