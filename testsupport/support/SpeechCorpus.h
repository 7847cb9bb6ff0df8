// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Takes whose truth is known because they are built here: espeak-ng's speech at 48 kHz mono, with
// room noise, hum, babble, a breath, clicks, a false start or a buzz mixed in by sample offset.
#pragma once

#include <QString>
#include <vector>

namespace speechcorpus {

enum class Noise { None, White, Brown, Babble, Hum, Breath, Cough, Buzz };
enum class Extra { None, FullScale, Breath, Clicks, FalseStart, Syllable };

struct Recipe {
    QString text;
    int wordsPerMinute = 130;
    double roomSeconds = 0.6; // before and after the speech; 0: the take is the speech alone
    Noise noise = Noise::None;
    double snrDb = 40;
    Extra extra = Extra::None;
};

struct Take {
    std::vector<float> samples; // empty when espeak-ng or sox failed
    double start = 0;           // seconds: the speech heard over the room
    double end = 0;
};

constexpr int rate = 48000;

// espeak-ng's speech without the silence around it; made once in dir, as all sounds here.
std::vector<float> speech(const QString& dir, const QString& text, int wordsPerMinute = 130,
                          const QString& voice = QStringLiteral("ca"));
// Noise of the kind at this RMS (babble: six voices of espeak-ng); a breath or a cough lasts as
// long as one does.
std::vector<float> noise(const QString& dir, Noise kind, double rms, double seconds = 1);
Take make(const QString& dir, const Recipe& recipe);
// The corpus: words at several speeds, pages, clean takes cut tight, one at full scale, white,
// brown and babble noise at 40, 25 and 15 dB, hum, a breath, clicks and a false start.
std::vector<Recipe> recipes();

} // namespace speechcorpus
