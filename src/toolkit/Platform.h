// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The windowing platform the program runs on: X11 wherever it is there, so that windows can
// place themselves; Wayland alone where it is the only one.
#pragma once

#include <QByteArray>

namespace platform {

// The Qt platform to ask for, given QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY; empty to
// leave Qt's own choice (the user's, or no display known at all).
QByteArray choose(const QByteArray& requested, const QByteArray& x11Display,
                  const QByteArray& waylandDisplay);

// Sets QT_QPA_PLATFORM from the environment by choose(); call before the application exists.
void applyChoice();

// Whether windows may set their own position on this platform (not under Wayland).
bool windowsPlaceThemselves();

} // namespace platform
