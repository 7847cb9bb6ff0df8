// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's phrases: their texts (the set's textes/frasas.txt over the embedded defaults) and
// where each one's voice is found.
#pragma once

#include "assets/Catalogue.h"

#include <QString>
#include <array>

class PhraseTexts {
public:
    // The embedded default frasas.txt.
    static PhraseTexts embedded();
    // The same, read once for the whole run.
    static const PhraseTexts& defaultSet();
    // The phrases of the set in the current folder: its own textes/frasas.txt over the defaults.
    // Never throws: a set without the file, or with a broken one, plays with the defaults.
    static PhraseTexts ofCurrentSet();
    // The same for the set in the folder `root`.
    static PhraseTexts ofSet(const QString& root);
    // Parses the text of a frasas.txt, "phrase <n> | <text> [| say <spoken text>]" a line; a set
    // may give only the phrases it changed. Throws EReadError naming the file and line.
    static PhraseTexts parse(const QString& text, const QString& fileName);

    QString text(catalogue::Phrase phrase) const { return texts_.at(index(phrase)); }
    // What the phrase's voice says: its "say" text, or else its text.
    QString spoken(catalogue::Phrase phrase) const;
    bool has(catalogue::Phrase phrase) const { return !texts_.at(index(phrase)).isEmpty(); }

    // The voice the game plays for a phrase: the set's own son_frasas file when there is one,
    // else the default set's, in the folder named by MIRABOSC_DEFAULT_SET (the launcher sets it
    // to the installed set), else the set's own name, which the sentence then skips.
    static QString voiceFile(catalogue::Phrase phrase);

private:
    static size_t index(catalogue::Phrase phrase) { return size_t(int(phrase) - 1); }

    std::array<QString, catalogue::phraseCount> texts_;
    std::array<QString, catalogue::phraseCount> spoken_;
};
