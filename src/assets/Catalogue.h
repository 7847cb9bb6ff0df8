// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The asset catalogue: card and page numbers to the relative paths of the four asset folders.
#pragma once

#include "base/Paths.h"

#include <QString>
#include <QStringList>
#include <array>

namespace catalogue {

constexpr int familyCount = 7;
constexpr int cardsPerFamily = 7;
constexpr int albumPageCount = 17;
constexpr int lastCardNumber = 56;
// A voice for every card number, family names included, and one for every album page.
constexpr int voiceCount = lastCardNumber + albumPageCount;
// The four asset folders, relative to the set's root.
inline constexpr std::array<const char*, 4> assetFolders{"img_album", "son_album", "img_familles",
                                                         "sons_familles"};

// Family k (1 to 7) owns the numbers 8(k-1)+1, its title, to 8k.
constexpr int titleNumber(int family) {
    return 8 * (family - 1) + 1;
}
constexpr int cardNumber(int family, int slot) {
    return slot + 8 * family - 7;
}
constexpr bool isTitleNumber(int number) {
    return number >= 1 && (number - 1) % 8 == 0;
}
std::array<int, cardsPerFamily> familyCards(int family);

// The paths exactly as the program names them, with a backslash between folder and file.
QString albumPicture(int page);
QString albumNarration(int page);
QString miniature(int firstCard);
QString smallCard(int card);
QString largeCard(int card);
QString blankCard();
// The caption of page p's tab in the game's album, by which a teacher knows the page: the cover
// is "Mirabosc", the pages after it "p. 1" on.
QString albumTab(int page);
QString cardSound(int number);
// A catalogue path with "/" between folder and file, as sets, archives and the workshop name files.
QString slashed(QString path);
// Every voice of a set, with "/" between folder and file: the cards' sounds by number, then the
// album's narrations by page.
const QStringList& voiceNames();
// Every picture of a set, named the same way: the blank card, each family's miniature, each
// card's small and large picture, then the album's pages.
const QStringList& pictureNames();

// A set's own texts, kept in its folder "textes": the families' words, the album's pages and
// the marks of its voices.
inline const QString textsFolder = QStringLiteral("textes");
inline const QString familiesText = QStringLiteral("familles.txt");
inline const QString albumText = QStringLiteral("album.txt");
inline const QString voiceMarksText = QStringLiteral("votz.txt");
// A text's name in its set, with "/" as the set's other files are named: "textes/album.txt".
QString textName(const QString& text);
// The game's phrases, spoken between the set's words. Their texts are the set's
// textes/frasas.txt and their voices son_frasas/1.mp3 onwards, numbered in this fixed order; a
// set made before the game has neither and plays with the default set's.
enum class Phrase {
    InFamily = 1,   // "Dins la familha", before the family's name
    IWant,          // "vòli", before the card's word
    HereItIs,       // the asked player has the card
    NoDraw,         // the asked player has not: draw
    GoodDraw,       // the drawn card is the one asked for
    FamilyComplete, // after the family's name, when it is laid down
    YouWon,         // to the child
    HasWon,         // after a computer player's name
    FirstOpponent,  // the computer players' names, one voice each
};
constexpr int opponentCount = 3;
constexpr int phraseCount = int(Phrase::FirstOpponent) + opponentCount - 1;
constexpr Phrase opponentName(int opponent) { // 1 to opponentCount
    return Phrase(int(Phrase::FirstOpponent) + opponent - 1);
}
inline const QString phrasesText = QStringLiteral("frasas.txt");
inline constexpr const char* phraseFolder = "son_frasas";
QString phraseVoice(Phrase phrase);
// The phrases' voices, with "/" between folder and file, in their order.
const QStringList& phraseVoiceNames();
// Every folder of pictures and voices a set may carry (in an archive, from its base): the four
// the game needs, then the phrases', which a set made before the game has not.
const QStringList& carriedFolders();
// A catalogue path as the file system wants it, and resolved against the current directory now.
using paths::resolve;
using paths::toNativeRelative;

} // namespace catalogue
