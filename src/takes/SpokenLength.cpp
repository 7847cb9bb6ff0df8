// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Syllables are counted on the letters with their accents taken off, so "è" and "ò" count as
// vowels as "e" and "o" do.
#include "takes/SpokenLength.h"

#include <algorithm>

namespace spokenlength {

namespace {

bool isVowel(QChar letter) {
    const QString bare = QString(letter).normalized(QString::NormalizationForm_D);
    return !bare.isEmpty() && QStringLiteral("aeiouyAEIOUY").contains(bare.at(0));
}

} // namespace

int syllables(const QString& text) {
    int count = 0;
    bool inVowels = false;
    for (const QChar letter : text) {
        const bool vowel = isVowel(letter);
        if (vowel && !inVowels)
            ++count;
        inVowels = vowel;
    }
    return std::max(1, count);
}

double expectedSeconds(const QString& text) {
    return syllables(text) * secondsPerSyllable;
}

QString doubt(const QString& text, double speechSeconds) {
    const double expected = expectedSeconds(text);
    if (speechSeconds < doubtfulShare * expected)
        return QStringLiteral("Tròp cort : %1 s de paraula per %2 sillabas (s'esperava %3 s)")
            .arg(speechSeconds, 0, 'f', 1)
            .arg(syllables(text))
            .arg(expected, 0, 'f', 1);
    if (speechSeconds > doubtfulTimes * expected + doubtfulExtraSeconds)
        return QStringLiteral("Tròp long : %1 s de paraula per %2 sillabas (s'esperava %3 s)")
            .arg(speechSeconds, 0, 'f', 1)
            .arg(syllables(text))
            .arg(expected, 0, 'f', 1);
    return {};
}

} // namespace spokenlength
