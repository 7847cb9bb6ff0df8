// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// From a take to a voice of the folder: prepared, encoded and written.
#pragma once

#include "takes/Take.h"
#include "takes/TakeReview.h"

#include <QByteArray>
#include <QString>

class SetFolder;

namespace voicemaker {

// The take trimmed, levelled, mono and encoded; throws SetRefused.
QByteArray makeVoice(const Take& take);
// What a teacher should know of a take before keeping it: clipped or too quiet (its noise
// levelled up with it); empty when neither.
QString warningOf(const TakeReview& review);
// Reads a sound file and writes it as the named voice; returns the line that reports it, with
// the take's warning. Throws SetRefused with the folder's file untouched.
QString importFile(SetFolder& folder, const QString& file, const QString& relativePath);

} // namespace voicemaker
