// The recorded voices: espeak-ng's Catalan voice reading respelled Occitan, encoded by LAME.
#pragma once

#include "Respeller.h"

#include <QByteArray>
#include <QString>

namespace assetgen {

class Voice {
public:
    explicit Voice(Respeller respeller) : respeller_(std::move(respeller)) {}

    // Throws EFOpenError naming the first of espeak-ng and lame that cannot be found.
    static void checkTools();

    // Speaks text (Occitan spelling) into a mono MP3 file with its silences trimmed. Throws
    // EReadError when a tool fails.
    void record(const QString& text, const QString& mp3Path) const;

    QString respelled(const QString& text) const { return respeller_.respell(text); }
    // The phonemes the voice says for the text, for checking the pronunciation rules.
    QString phonemes(const QString& text) const;

    // A 16-bit mono WAV without the silence before the first and after the last sound,
    // keeping a short margin, and levelled; throws EReadError when the bytes are not such a WAV.
    static QByteArray trimSilence(const QByteArray& wav);
    // 16-bit samples scaled so that the loudest reaches the same peak in every recording.
    static QByteArray levelled(const QByteArray& samples);

private:
    Respeller respeller_;
};

} // namespace assetgen
