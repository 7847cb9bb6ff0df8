// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a spoken word heard as it is captured: speech, then a silence long enough, judged
// over short windows against the quietest window heard so far.
#pragma once

#include <cstddef>
#include <cstdint>

class SpeechEnd {
public:
    static constexpr double windowSeconds = 0.02;
    // Shorter speech is a click or a knock, not a word.
    static constexpr double shortestSpeechSeconds = 0.12;
    // The pause that ends a word; a shorter one is a breath between words.
    static constexpr double silenceSeconds = 0.6;
    // Speech stands this far over the quietest window, and over this level in any case.
    static constexpr double speechOverFloorDb = 15;
    static constexpr double quietestSpeechDb = -50;

    explicit SpeechEnd(int rate);
    // Takes the next samples (mono); true once a word was heard and then the silence after it.
    bool feed(const float* samples, size_t count);
    bool heardSpeech() const { return speechWindows_ * windowSeconds >= shortestSpeechSeconds; }
    bool ended() const { return ended_; }
    // Samples fed up to the end of the silence that ended the word.
    int64_t endFrame() const { return endFrame_; }

private:
    void judgeWindow();

    int windowFrames_;
    int inWindow_ = 0;
    double energy_ = 0;
    double floorDb_ = 0;
    bool hasFloor_ = false;
    int speechWindows_ = 0;
    int silentWindows_ = 0;
    int64_t fed_ = 0;
    int64_t endFrame_ = 0;
    bool ended_ = false;
};
