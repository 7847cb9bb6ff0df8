// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The loudspeaker glyphs: narration on and off for the album, replay for the review.
#pragma once

#include <QImage>

namespace art {

QImage drawSoundOn();
QImage drawSoundOff();
QImage drawReplay();

} // namespace art
