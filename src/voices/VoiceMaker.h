// From a take to a voice of the folder: prepared, encoded and written.
#pragma once

#include "voices/Take.h"

#include <QByteArray>
#include <QString>

class VoiceFolder;

namespace voicemaker {

// The take trimmed, levelled, mono and encoded; throws VoiceRefused.
QByteArray makeVoice(const Take& take);
// Reads a sound file and writes it as the named voice; returns the line that reports it.
// Throws VoiceRefused with the folder's file untouched.
QString importFile(VoiceFolder& folder, const QString& file, const QString& relativePath);

} // namespace voicemaker
