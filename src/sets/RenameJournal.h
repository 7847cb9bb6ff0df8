// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The renames that put one change of several files in place, written down before the first, so
// that a change a kill interrupted is finished at the next start: all of it lands, or none.
#pragma once

#include <QString>
#include <vector>

class RenameJournal {
public:
    // Beside the set's lock, at its root.
    static const QString fileName;
    struct Rename {
        QString temporary; // written aside (safewrite); empty: path goes
        QString path;
    };
    // Writes the list (synced), renames each temporary over its path (or removes the path), syncs
    // the folders, then removes the list. Every path is inside root. Throws SetRefused when the
    // list cannot be written, with every temporary removed and nothing renamed.
    static void publishAll(const QString& root, const std::vector<Rename>& renames);
    // Finishes a list a killed writer left: each of its temporaries still there is renamed in
    // place, each path to remove goes; nothing outside root, nothing but temporaries. Returns the
    // number of files put in place. Call it holding the set's lock.
    static int finish(const QString& root);
};
