// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the files of a set the workshop may write, as the game reads them.
#pragma once

#include <QString>

namespace setnames {

// A name as the game reads it, with "/" or "\" between folder and file: one of the 73 voices,
// or a phrase's voice (son_frasas/1.mp3 onwards), which a set may lack. Throws SetRefused for any
// other name, so nothing outside the folder's voices can be written.
QString checkedName(const QString& relativePath);
// The same for every file of a set the workshop may change: the voices and every picture the
// game reads (cards, miniatures, album pages).
QString checkedFileName(const QString& relativePath);
// The same, and the set's texts, whose changes the history keeps too.
QString checkedStepName(const QString& relativePath);
// The name is one of the set's texts ("textes/familles.txt").
bool isText(const QString& name);

} // namespace setnames
