// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The checker's rules asked of a whole set before it is put in place.
#pragma once

#include <QString>

namespace setcheck {

// What mirabosc-check would report for a set folder about to be put in place, one per line:
// its problems, and any picture not at the size the game shows it; empty when none.
QString problems(const QString& folder);

} // namespace setcheck
