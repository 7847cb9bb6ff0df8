// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// How long a text takes to read aloud, from its syllables, and the pause that ends its reading.
#pragma once

#include <QString>

namespace spokenlength {

// A word or a name read slowly for children, as the default voices are (130 words a minute).
constexpr double secondsPerSyllable = 0.2;
// Read speech can be this much quicker than that, and still be the text.
constexpr double quickestShare = 0.35;
// A take quicker than this share, or longer than this many times and a second more, is looked at
// again before it is kept.
constexpr double doubtfulShare = 0.5;
constexpr double doubtfulTimes = 2.5;
constexpr double doubtfulExtraSeconds = 1.0;
// The pause that ends a word; a page's sentences are read with pauses between them of 0.5 to
// 1.2 s, so its end waits for a longer one.
constexpr double wordPauseSeconds = 0.6;
constexpr double pagePauseSeconds = 1.6;

// Groups of vowels, accented or not: one a syllable ("uè", "ia" and "ai" are one).
int syllables(const QString& text);
double expectedSeconds(const QString& text);
// Why speech of this length is not what reading the text gives; empty when it is.
QString doubt(const QString& text, double speechSeconds);

} // namespace spokenlength
