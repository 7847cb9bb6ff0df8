// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where sets live: one rule for the launcher (through mirabosc-check --folder), the checker and
// the recorder.
#pragma once

#include <QString>

namespace locations {

// Beside the program in a build tree (assets/), or the installed set (<datadir>/mirabosc, found
// from the program's folder); empty when neither holds the voices.
QString installedDefaultSet();
// $XDG_DATA_HOME/mirabosc, or ~/.local/share/mirabosc when that variable is unset, empty or
// relative, as the base directory rules say.
QString userSet();
// The computer's class set, for every account: mirabosc under the first absolute folder of
// $XDG_DATA_DIRS, or /usr/local/share/mirabosc when it names none.
QString classSet();
// What a user's set is made from: the class set when it is whole, else the installed one.
QString baseSet();
// Every file of the default set is there (itself or through a link that leads somewhere).
bool isComplete(const QString& set, const QString& defaultSet);
// The folder the game starts in: the user's set when complete, else the class set when
// complete, else the installed one.
QString gameFolder();

} // namespace locations
