// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Plain layout rules of the toolkit: the centring of windows and the proportional picture size.
#pragma once

#include <QPoint>
#include <QSize>

namespace geometry {

// Top and left that centre a window of outer size `window` on a display of size `screen`;
// integer division truncates toward zero, so a window larger than the display goes negative.
QPoint centredPosition(QSize screen, QSize window);

// The size at which a picture of size `picture` is drawn in a control of size `control`:
// unchanged unless `proportional` and the picture is larger, then scaled down keeping its
// proportions with truncated sides. Never enlarged.
QSize drawnSize(QSize picture, QSize control, bool proportional);

} // namespace geometry
