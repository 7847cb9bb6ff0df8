// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The synthetic speaker: espeak-ng's Catalan voice reading respelled Occitan, made into voice
// files by the take pipeline.
#pragma once

#include "takes/Respeller.h"

#include <QString>

namespace assetgen {

class Speaker {
public:
    explicit Speaker(speech::Respeller respeller) : respeller_(std::move(respeller)) {}

    // Throws EFOpenError when espeak-ng cannot be found.
    static void checkTools();

    // Speaks text (Occitan spelling) into a voice file: trimmed with the recorder's margins,
    // levelled to the same loudness, encoded the same way. Throws EReadError when espeak-ng fails,
    // SetRefused when the pipeline refuses what it said.
    void record(const QString& text, const QString& mp3Path) const;

    QString respelled(const QString& text) const { return respeller_.respell(text); }
    // The phonemes the speaker says for the text, for checking the pronunciation rules.
    QString phonemes(const QString& text) const;

private:
    speech::Respeller respeller_;
};

} // namespace assetgen
