// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the default set (its card words and family names, its album pages), read from
// the set's sources in data/, embedded in the program: the game names its pictures by them,
// the recorder shows what each voice says.
#pragma once

#include <QHash>
#include <QString>

class VoiceTexts {
public:
    // The embedded familles.txt and album.txt.
    static VoiceTexts embedded();
    // The same, read once for the whole run.
    static const VoiceTexts& defaultSet();
    // The words of the set in the current folder: its own textes/familles.txt and
    // textes/album.txt when both are there and read well, the embedded ones otherwise and for
    // anything they leave out. Never throws: a broken folder of texts is only logged.
    static VoiceTexts ofCurrentSet();
    // Parses the two files' text; throws EReadError when they are malformed.
    VoiceTexts(const QString& families, const QString& album);

    QString cardWord(int number) const { return cards_.value(number); } // titles: family name
    QString pageText(int page) const { return pages_.value(page); }
    // What a voice ("sons_familles/6.mp3", "son_album/3.mp3") says.
    QString textOf(const QString& voiceName) const;

private:
    VoiceTexts() = default;

    QHash<int, QString> cards_;
    QHash<int, QString> pages_;
};
