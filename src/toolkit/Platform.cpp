// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The choice between X11 and Wayland.
#include "toolkit/Platform.h"

#include <QGuiApplication>

namespace platform {

QByteArray choose(const QByteArray& requested, const QByteArray& x11Display,
                  const QByteArray& waylandDisplay) {
    if (!requested.isEmpty())
        return {};
    // XWayland keeps X11 placement; Wayland stays as the fallback should X11 not answer.
    if (!x11Display.isEmpty())
        return waylandDisplay.isEmpty() ? QByteArrayLiteral("xcb")
                                        : QByteArrayLiteral("xcb;wayland");
    if (!waylandDisplay.isEmpty())
        return QByteArrayLiteral("wayland");
    return {};
}

void applyChoice() {
    const QByteArray chosen =
        choose(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"));
    if (!chosen.isEmpty())
        qputenv("QT_QPA_PLATFORM", chosen);
}

bool windowsPlaceThemselves() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace platform
