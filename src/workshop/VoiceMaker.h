// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// From a take to a voice of the folder: prepared, encoded and written.
#pragma once

#include "takes/Take.h"

#include <QByteArray>
#include <QString>

class SetFolder;

namespace voicemaker {

// The take trimmed, levelled, mono and encoded; throws SetRefused.
QByteArray makeVoice(const Take& take);
// Reads a sound file and writes it as the named voice; returns the line that reports it.
// Throws SetRefused with the folder's file untouched.
QString importFile(SetFolder& folder, const QString& file, const QString& relativePath);

} // namespace voicemaker
