// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The review's rules for the soak: the face on show, the pool, and the board after each draw.
#pragma once

#include "assets/Catalogue.h"
#include "screens/Urevisions.h"
#include "support/TestAssets.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSet>

namespace soak {

// The pool holds each chosen family's seven cards once, never a title.
inline QString poolProblem() {
    using namespace Urevisions;
    if (nbPioche < 0 || nbPioche > 49 || nbPioche % 7 != 0)
        return QStringLiteral("a pool of %1 cards").arg(nbPioche);
    QSet<int32_t> seen;
    for (int i = 0; i < nbPioche; ++i) {
        const int32_t card = pioche[size_t(i)];
        if (card < 2 || card > catalogue::lastCardNumber || catalogue::isTitleNumber(card) ||
            seen.contains(card))
            return QStringLiteral("pool slot %1 holds %2").arg(i).arg(card);
        seen.insert(card);
    }
    return {};
}

// After a draw that laid all seven slots: different cards of the pool, the target in its slot.
// A draw stopped by a picture that would not load leaves the later slots as they were (from an
// earlier showing, if that showing's reset was itself stopped); that happens only with damaged
// files, so with the default ones every draw must be complete.
inline QString boardProblem(bool damaged) {
    using namespace Urevisions;
    bool complete = true;
    for (int slot = 1; slot <= 7; ++slot) {
        const int32_t card = cartesAffichees[size_t(slot)];
        complete =
            complete && card != -1 &&
            revisions->Image(slot)->picture() == TestAssets::picture(catalogue::smallCard(card));
    }
    if (!complete)
        return damaged || nbPioche == 0
                   ? QString()
                   : QStringLiteral("a draw with the default files left the board incomplete");
    QSet<int32_t> onBoard;
    for (int slot = 1; slot <= 7; ++slot) {
        const int32_t card = cartesAffichees[size_t(slot)];
        bool inPool = false;
        for (int i = 0; i < nbPioche; ++i)
            inPool = inPool || pioche[size_t(i)] == card;
        if (!inPool || onBoard.contains(card))
            return QStringLiteral("board slot %1 holds %2").arg(slot).arg(card);
        onBoard.insert(card);
    }
    if (positionCible < 1 || positionCible > 7 ||
        cartesAffichees[size_t(positionCible)] != carteCible)
        return QStringLiteral("the target %1 is not in its slot %2")
            .arg(carteCible)
            .arg(positionCible);
    return {};
}

inline QString counterProblem() {
    using namespace Urevisions;
    const Trevisions* r = revisions;
    const QString right = QLatin1String(nbJustes < 2 ? "responsa justa" : "responsas justas");
    const QString wrong = QLatin1String(nbFausses < 2 ? "responsa faussa" : "responsas faussas");
    if (r->cptJ->text() != QString::number(nbJustes) ||
        r->cptF->text() != QString::number(nbFausses) || r->LBJ->text() != right ||
        r->LBF->text() != wrong)
        return QStringLiteral("the counters read %1 %2, %3 %4 for %5 right and %6 wrong")
            .arg(r->LBJ->text(), r->cptJ->text(), r->LBF->text(), r->cptF->text())
            .arg(nbJustes)
            .arg(nbFausses);
    return {};
}

inline QString reviewProblem(bool damaged) {
    const Urevisions::Trevisions* r = Urevisions::revisions;
    if (!r->isVisible())
        return {};
    const bool choice = r->Button1->isVisible();
    if (r->GroupBox1->isVisible() != choice || r->PNcompteur->isVisible() == choice ||
        r->btnRejouer->isVisible() == choice)
        return QStringLiteral("the review shows part of both faces");
    if (!damaged) {
        if (const QString problem = counterProblem(); !problem.isEmpty())
            return problem;
    }
    // The reset at each show empties the pool's slots but keeps its size until OK builds it.
    if (!Urevisions::piocheConstruite)
        return {};
    if (const QString problem = poolProblem(); !problem.isEmpty())
        return problem;
    return boardProblem(damaged);
}

} // namespace soak
