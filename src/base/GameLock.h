// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The running game's hold on the set it plays: a shared lock that a whole-set swap waits for.
#pragma once

#include <QString>

namespace gamelock {

// The lock file, in the set's own folder; every set made by the workshop carries one.
inline const QString fileName = QStringLiteral(".mirabosc.joc");

// The game holds the set in the current folder for as long as it runs (the descriptors are kept
// open on purpose), and every set its links lead to, which it reads as much. A set that cannot
// be held (no lock file, read-only) is played all the same.
void holdCurrentFolder();
// Some game holds the set at folder now.
bool isHeld(const QString& folder);

} // namespace gamelock
