// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A set carried in an archive put in place whole: built beside the folder it replaces, checked,
// then swapped in by one rename; any refusal leaves the folder as it was.
#pragma once

#include <QString>
#include <functional>

namespace setimport {

// What the set's checker says of a whole set folder: empty when it passes, else its problems.
using Check = std::function<QString(const QString& folder)>;

// Puts the archive's set at target: its files, and links to the installed set for the rest.
// The set it replaces is kept beside it, as target + previousSuffix. Throws SetRefused.
void install(const QString& archive, const QString& target, const QString& installed,
             const Check& check);

inline const QString previousSuffix = QStringLiteral(".abans");

} // namespace setimport
