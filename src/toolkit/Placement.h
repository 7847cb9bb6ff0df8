// Where the program's windows go: the outer frame, title bar included, centred on the primary
// display, with the frame known before the window is first mapped.
#pragma once

#include <QMargins>

class QWidget;

namespace placement {

// The frame round `window` once it is shown (left, top, right, bottom): asked of the window
// manager before the first mapping where it can answer, otherwise the frame of the windows
// already framed, otherwise the frame Qt knows.
QMargins frameMargins(QWidget* window);

// Moves a top-level window so that its outer rectangle is centred on the primary display.
// Where windows cannot place themselves (Wayland) placement is left to the compositor.
void centreOnPrimaryScreen(QWidget* window);

} // namespace placement
