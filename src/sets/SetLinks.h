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

    // Each word, name or page text of the set's own texts whose pictures are all links to the
    // base (so the class never changed that row) becomes the base's again: the words of a set
    // built on a class set follow that set as its links do. Texts that cannot be read are left
    // to the checker.
    void followBaseTexts();
    // Removes the temporary files a writer that was killed left in the set's folder; none runs
    // while the caller holds the set's lock.
    void clearTemporaries(const QString& folder);

private:
    QString root_;
    QString base_;
};
