// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a take recorded elsewhere (WAV, FLAC, Ogg Vorbis, MP3) through libsndfile, safely.
#pragma once

#include "takes/Take.h"

#include <QByteArray>
#include <QString>

namespace audioimport {

// What a header may ask for before anything is decoded: a voice needs no more.
constexpr int maxChannels = 8;
constexpr int lowestRate = 8000;
constexpr int highestRate = 96000;

// The whole file as mono float samples. The file is opened without blocking and read only when
// it is a regular file. Throws SetRefused when it is not sound, asks for more channels, a
// higher rate or a longer take than the caps allow (judged from the header, before decoding),
// or is damaged (shorter than its header says).
Take read(const QString& path);
// The same from bytes in memory; name only appears in messages.
Take decode(const QByteArray& bytes, const QString& name);

} // namespace audioimport
