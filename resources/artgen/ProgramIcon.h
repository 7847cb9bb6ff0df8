// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The program icon: a green "M" over a yellow cross with balled arms, on red, in 16 colours.
#pragma once

#include <QImage>

namespace art {

// The icon as an 8-bit indexed image of 32 x 32 pixels with a 16-entry colour table.
QImage drawProgramIcon();
// The same design in full colour at any square size, for the desktop's icon theme.
QImage drawDesktopIcon(int pixels);

} // namespace art
