// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The choices' names, in the order of their enumerations.
#include "deck/DeckOptions.h"

namespace deck {

QStringList paperNames() {
    return {QStringLiteral("a4"), QStringLiteral("letter")};
}

QStringList layoutNames() {
    return {QStringLiteral("9"), QStringLiteral("8"), QStringLiteral("folded")};
}

QStringList backsNames() {
    return {QStringLiteral("none"), QStringLiteral("long"), QStringLiteral("short")};
}

} // namespace deck
