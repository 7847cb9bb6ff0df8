// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// MP3 encoding of a prepared take through libmp3lame, with the gapless header of the default set.
#pragma once

#include "takes/Take.h"

#include <QByteArray>

namespace mp3encoder {

// A mono take as a VBR MP3 whose first frame is the Xing/LAME header that lets decoders drop the
// encoder's delay and padding. Throws SetRefused when the encoder refuses the take.
QByteArray encode(const Take& mono);

} // namespace mp3encoder
