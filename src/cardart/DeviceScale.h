// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures drawn at the resolution of the painter's device (a page at 300 dpi, a screen picture)
// rather than at the size of the units they are laid out in.
#pragma once

#include <QRectF>
#include <functional>

class QPainter;

namespace drawing {

class DeviceScale {
public:
    // How many device pixels one unit of the painter spans (rotation aside).
    static qreal of(const QPainter& painter);
    // One unit is one pixel, within rounding (a turned picture on screen).
    static bool isUnit(const QPainter& painter);
    // Runs draw with the painter scaled back to device pixels and area given in them, so a
    // picture made at area's size is drawn one pixel for one.
    static void draw(QPainter& painter, const QRectF& area,
                     const std::function<void(QPainter&, const QRectF&)>& draw);
    // The painter draws into a PDF or onto a printer: text stays text there.
    static bool isVector(const QPainter& painter);
};

} // namespace drawing
