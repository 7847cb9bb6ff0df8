// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard focus on a picture or a picture button: a thick frame a child sees from afar.
#pragma once

#include <QRect>

class QPainter;

namespace focusframe {

// Draws the frame just inside `rect`, over what is painted there.
void paint(QPainter& painter, QRect rect);

} // namespace focusframe
