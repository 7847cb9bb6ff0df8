// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Takes made on the spot for the recorder's tests: a word spoken by espeak-ng with a second of
// room noise around it, at 48 kHz stereo, written by sox in several formats.
#pragma once

#include <QString>
#include <QStringList>

namespace spokentake {

struct Word {
    QString wav;        // 48 kHz stereo, noise, word, noise
    double speechStart; // seconds into the take where the word is first loud
    double speechEnd;   // and last
    double seconds;     // the take's length
};

constexpr double noiseSeconds = 1.0;

// Makes dir/take.wav; returns an empty wav when espeak-ng or sox fails.
Word make(const QString& dir, const QString& text = QStringLiteral("lo papet"));
// Runs sox (or lame for ".mp3") to turn input into output; false when it fails.
bool convert(const QString& input, const QString& output, const QStringList& effects = {});
// Runs sox with these arguments; false when it fails.
bool sox(const QStringList& arguments);

} // namespace spokentake
