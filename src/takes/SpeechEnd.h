// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a spoken text heard as it is captured: enough voiced speech for the text, then a
// silence long enough, judged over short windows against the quietest window heard so far.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

    // shortestSpeech: the least speech, from its first voiced window to its last, that the text
    // read can be; silence: the pause that ends it.
    explicit SpeechEnd(int rate, double shortestSpeech = shortestSpeechSeconds,
                       double silence = silenceSeconds);
    // Takes the next samples (mono); true once enough speech was heard and then the silence.
    bool feed(const float* samples, size_t count);
    bool heardSpeech() const { return speechSeconds() >= shortestSpeech_; }
    bool ended() const { return ended_; }
    // Samples fed up to the end of the silence that ended the speech.
    int64_t endFrame() const { return endFrame_; }
    // Where the speech kept starts: a sound too short to be a word (a click, a knock), then as
    // long a silence as ends speech twice over, is left before it.
    int64_t keepFrom() const { return keepFrom_; }
    // From the first voiced window of speech to the last, in seconds.
    double speechSeconds() const;
    // Voiced sound too short for the text, then as long a silence as would forget it: it is not
    // forgotten but ends the take, so that the sitting holds and asks (0 when none was).
    double setAsideSeconds() const { return setAside_; }

private:
    void judgeWindow();
    bool voicedWindow() const;

    int rate_;
    int windowFrames_;
    double shortestSpeech_;
    double silence_;
    int inWindow_ = 0;
    double energy_ = 0;
    double floorDb_ = 0;
    bool hasFloor_ = false;
    int64_t firstSpeech_ = -1; // frame where the first voiced window starts
    int64_t lastSpeech_ = -1;  // and where the last one ends
    int64_t fed_ = 0;
    int64_t endFrame_ = 0;
    int64_t keepFrom_ = 0;
    bool ended_ = false;
    double setAside_ = 0;
    // The sound brought down for the voicing, its latest window and a pitch period before it.
    int64_t step_;
    double slowSum_ = 0;
    int64_t inStep_ = 0;
    double previousIn_ = 0, previousOut_ = 0;
    std::vector<float> slow_;
};
