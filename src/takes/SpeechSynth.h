// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A word spoken by libespeak-ng's Catalan voice from respelled Occitan, as a take for the voice
// pipeline: the workshop's synthetic voice for a word the class changed.
#pragma once

#include "takes/Respeller.h"
#include "takes/Take.h"

#include <QString>

namespace speechsynth {

// Throws SetRefused when the library or its Catalan voice cannot be used, or says nothing.
Take speak(const QString& text, const speech::Respeller& respeller);

} // namespace speechsynth
