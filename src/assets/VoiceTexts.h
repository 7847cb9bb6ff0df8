// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the default set (its card words and family names, its album pages), read from
// the set's sources in data/, embedded in the program: the game names its pictures by them,
// the recorder shows what each voice says.
#pragma once

#include "assets/Content.h"
#include "assets/PhraseTexts.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class VoiceTexts {
public:
    // The embedded familles.txt and album.txt.
    static VoiceTexts embedded();
    // The same, read once for the whole run.
    static const VoiceTexts& defaultSet();
    // The words of the set in the current folder: those its own textes/familles.txt and
    // textes/album.txt give, line by line, then those of the sets it is based on, the embedded
    // ones for anything they all leave out or cannot give. Never throws: a damaged line or file
    // is only logged.
    static VoiceTexts ofCurrentSet();
    // The same of the set at root; a damaged line or file is named in problems.
    static VoiceTexts ofSet(const QString& root, QStringList* problems);
    // Parses the two files' text; throws EReadError when they are malformed.
    VoiceTexts(const QString& families, const QString& album);

    QString cardWord(int number) const { return cards_.value(number); } // titles: family name
    QString pageText(int page) const { return pages_.value(page); }
    // What a voice ("sons_familles/6.mp3", "son_album/3.mp3", "son_frasas/2.mp3") says; the
    // game's phrases only once given.
    QString textOf(const QString& voiceName) const;
    void setPhrases(const PhraseTexts& phrases);

private:
    VoiceTexts() = default;
    void addFamilies(const std::vector<content::Family>& families);
    void addPages(const std::vector<content::AlbumPage>& pages);

    QHash<int, QString> cards_;
    QHash<int, QString> pages_;
    QHash<QString, QString> phrases_; // by voice name
};
