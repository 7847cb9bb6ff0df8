// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A set's links to the set it is based on, for every file the class never changed, and the
// one-time conversion of an older version's set (full copies, no marks).
#pragma once

#include <QString>
#include <functional>

class SetLinks {
public:
    // root: the set; base: the set it is based on (the installed set or the class set).
    SetLinks(const QString& root, const QString& base) : root_(root), base_(base) {}

    // Every file of base's folder the set lacks, or whose link no longer leads anywhere or leads
    // to another base, becomes a link to it; with convert (the first fill of an older version's
    // set), so do copies equal to base's file or to a voice an earlier version installed. Also
    // clears the temporary files of a writer that was killed. Returns the number of links made.
    int linkFolder(const QString& folder, bool convert);
    // The marks of a set converted from an older version, which kept none; isDefault(name) tells
    // a file that is still the base's.
    void recordOlderOrigins(const std::function<bool(const QString&)>& isDefault);

    // The set's textes/ leads to the texts of its base, when that base has texts of its own:
    // every reader reads from there the rows the set did not change.
    void linkBaseTexts();
    // Each word, name or page text of the set's own texts whose pictures are all links to the
    // base (so the class never changed that row) is forgotten: the row is read from the base,
    // as its pictures are. This converts, once, the full copies of texts earlier versions kept,
    // keeping every word the class changed. Texts that cannot be read are left to the checker.
    void keepOwnRows();
    // Removes the temporary files a writer that was killed left in the set's folder; none runs
    // while the caller holds the set's lock.
    void clearTemporaries(const QString& folder);

private:
    QString root_;
    QString base_;
};
