// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A word, a family's name or a page's text changed in a set: the texts kept, the pictures that
// show it composed again, a synthetic voice spoken again, a recorded one marked as saying the
// old text until it is recorded again.
#pragma once

#include "assets/VoiceTexts.h"
#include "cardart/CardComposer.h"
#include "sets/SetFolder.h"

#include <QString>
#include <vector>

namespace wordcommands {

// number as in the file names: 1 is the first family's name, 2 its first card. The text is
// checked first; every file is made aside and all are committed together, or none. Returns the
// report; throws the core's errors.
QString changeWord(SetFolder& folder, int number, const QString& text);
QString changePage(SetFolder& folder, int page, const QString& text);
// A phrase of the game (1 to catalogue::phraseCount, in the catalogue's order): textes/frasas.txt
// and the phrase's voice, as a word's.
QString changePhrase(SetFolder& folder, int number, const QString& text);
// A voice was recorded (kept or imported): it says its row's text now.
void recorded(const SetFolder& folder, const QString& voiceName);
// What a recorded voice still says when its text changed since; empty otherwise.
QString saysOld(const SetFolder& folder, const QString& voiceName);
// The class's drawings of the row's family's cards, for the strip of its large cards.
// A drawing the set lacks is looked for in the set it is based on.
cardcomposer::Gallery galleryOf(const SetFolder& folder, const QString& row);
// The row's pictures composed again from the set's texts: from the class's drawing when it has
// one, else as the default set draws them; those that come out the same are left alone.
QString composeAgain(SetFolder& folder, const content::Content& content, const QString& row);
// The same, the pictures that change added to changes rather than written.
QString composed(const SetFolder& folder, const content::Content& content, const QString& row,
                 std::vector<SetFolder::Change>& changes);
// What each voice of the set says: the set's own texts, or those of the set it is based on.
VoiceTexts textsOf(const SetFolder& folder);
// The same words as parsed content, for composing pictures; throws the core's errors.
content::Content contentOf(const SetFolder& folder);
// The folder holding the installed set's texts, embedded in the program.
inline const QString embeddedTexts = QStringLiteral(":/texts");

} // namespace wordcommands
