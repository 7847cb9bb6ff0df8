// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's windows go: the outer frame, title bar included, centred on the primary
// display, with the frame known before the window is first mapped.
#pragma once

class QWidget;

namespace placement {

// Moves a top-level window so that its outer rectangle is centred on the primary display. The
// frame is asked of the window manager before each mapping (a manager that never answers costs its
// wait once); where it cannot answer, the frame of a window already framed is used, and failing
// that the window is centred again once framed. Where windows cannot place themselves (Wayland)
// placement is left to the compositor.
void centreOnPrimaryScreen(QWidget* window);

} // namespace placement
