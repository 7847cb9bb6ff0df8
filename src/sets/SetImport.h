// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A set carried in an archive put in place whole: built beside the folder it replaces, checked,
// then swapped in by one rename; any refusal leaves the folder as it was. Every set replaced is
// kept, by date, and can come back.
#pragma once

#include "sets/FileOrigins.h"
#include "sets/SetArchive.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace setimport {

// What the set's checker says of a whole set folder: empty when it passes, else its problems.
using Check = std::function<QString(const QString& folder)>;
// Asked again and again while a game plays the set about to be replaced: true waits on, false
// gives up (the set is then left as it is).
using WhileGameOpen = std::function<bool()>;

// What an archive's entries must be before anything is written: a manifest that names them
// exactly (or an earlier version's whole texts), texts the parser reads, drawings no larger than
// the workshop keeps. Returns the marks they carry; throws SetRefused naming the archive.
FileOrigins checkEntries(const QString& archive, const std::vector<setarchive::Entry>& entries);
// The same without the archive's name: what is wrong, as the export asks before it writes.
// Throws the readers' errors.
FileOrigins verify(const std::vector<setarchive::Entry>& entries);
// Puts the archive's set at target: its files with their marks, and links to base (the set it
// is based on) for the rest. The set it replaces joins the history beside it. Returns where in
// the history that set is kept (empty when target held none); throws SetRefused.
QString install(const QString& archive, const QString& target, const QString& base,
                const QString& installed, const Check& check, const WhileGameOpen& whileGameOpen);
// The sets replaced at target, oldest first, as folders of target + previousSuffix; the sets
// undone, as folders of target + laterSuffix, the next to come back last.
QStringList previousSets(const QString& target);
QStringList laterSets(const QString& target);
// The newest set replaced comes back; the set it replaces can come back in turn by redo, and a
// further undo steps back again. Returns the folder it came from; throws SetRefused.
QString undoImport(const QString& target, const WhileGameOpen& whileGameOpen);
// The set the last undo replaced comes back, the other one back in the history.
QString redoImport(const QString& target, const WhileGameOpen& whileGameOpen);
// Removes what an import stopped midway left beside target.
void sweep(const QString& target);

inline const QString previousSuffix = QStringLiteral(".abans");
inline const QString laterSuffix = QStringLiteral(".apres");

} // namespace setimport
