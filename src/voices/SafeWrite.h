// Writing a file so that it is either wholly the old one or wholly the new one.
#pragma once

#include <QByteArray>
#include <QString>

namespace safewrite {

// Writes a temporary file beside path, syncs it to disk, renames it over path and syncs the
// folder. Throws VoiceRefused, with path left as it was, when any step fails (full disk, no right
// to write); the temporary file is removed.
void write(const QString& path, const QByteArray& bytes);
// The file's bytes; throws VoiceRefused when it cannot be read.
QByteArray read(const QString& path);

} // namespace safewrite
