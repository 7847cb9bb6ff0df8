// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Takes whose truth is known because they are built here: espeak-ng's speech at 48 kHz mono, with
// room noise, hum, babble, a breath, clicks, a cough or a false start mixed in by sample offset.
#pragma once

#include <QString>
#include <vector>

namespace speechcorpus {

enum class Noise { None, White, Brown, Babble, Hum };
enum class Extra { None, FullScale, Breath, Clicks, FalseStart };

struct Recipe {
    QString text;
    int wordsPerMinute = 130;
    double roomSeconds = 0.6; // before and after the speech; 0: the take is the speech alone
    Noise noise = Noise::None;
    double snrDb = 40;
    Extra extra = Extra::None;
};

struct Take {
    std::vector<float> samples; // 48 kHz mono; empty when espeak-ng or sox failed
    double start = 0;           // seconds: where the speech the room leaves heard begins
    double end = 0;             // and ends
};

constexpr int rate = 48000;

// Speech alone, trimmed to the words (espeak-ng, resampled by sox), cached in dir.
std::vector<float> speech(const QString& dir, const QString& text, int wordsPerMinute = 130);
// Steady noise of the kind, at unit RMS, made by sox (babble: six voices of espeak-ng mixed).
std::vector<float> noise(const QString& dir, Noise kind, double seconds);
// A breath or a cough: a short burst of shaped noise at unit RMS.
std::vector<float> burst(const QString& dir, bool cough);
Take make(const QString& dir, const Recipe& recipe);
// Where a clean speech is heard over a room at this RMS: first and last sample of its 5 ms
// blocks whose level passes both 40 dB under its loudest block and the room.
std::pair<double, double> heardSpan(const std::vector<float>& speech, double roomRms);
double rms(const std::vector<float>& samples);

} // namespace speechcorpus
