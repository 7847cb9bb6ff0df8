// The synthetic voices: espeak-ng's Catalan voice reading respelled Occitan, made into voices by
// the set-making core's pipeline.
#pragma once

#include "voices/Respeller.h"

#include <QString>

namespace assetgen {

class Voice {
public:
    explicit Voice(Respeller respeller) : respeller_(std::move(respeller)) {}

    // Throws EFOpenError when espeak-ng cannot be found.
    static void checkTools();

    // Speaks text (Occitan spelling) into a voice file: trimmed with the recorder's margins,
    // levelled to the same loudness, encoded the same way. Throws EReadError when espeak-ng fails,
    // VoiceRefused when the pipeline refuses what it said.
    void record(const QString& text, const QString& mp3Path) const;

    QString respelled(const QString& text) const { return respeller_.respell(text); }
    // The phonemes the voice says for the text, for checking the pronunciation rules.
    QString phonemes(const QString& text) const;

private:
    Respeller respeller_;
};

} // namespace assetgen
