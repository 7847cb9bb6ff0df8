// The loudspeaker glyphs: narration on and off for the album, replay for the review.
#pragma once

#include <QImage>

namespace art {

QImage drawSoundOn();
QImage drawSoundOff();
QImage drawReplay();

} // namespace art
