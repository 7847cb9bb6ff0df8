// The frame of a window before it is mapped, and the centring of its outer rectangle.
#include "toolkit/Placement.h"

#include "toolkit/Geometry.h"
#include "toolkit/Platform.h"
#include "toolkit/X11FrameExtents.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <optional>

namespace placement {

namespace {

// The last frame a window manager reported: every window of the program has the same style,
// so a manager that cannot be asked ahead still gets the frame it drew last time.
std::optional<QMargins> learned;

QMargins toLogical(QMargins native, qreal ratio) {
    if (ratio <= 0 || ratio == 1)
        return native;
    const auto scale = [ratio](int v) { return int(std::lround(v / ratio)); };
    return {scale(native.left()), scale(native.top()), scale(native.right()),
            scale(native.bottom())};
}

} // namespace

QMargins frameMargins(QWidget* window) {
    window->winId(); // the native window, so that its frame can be asked for before mapping
    QWindow* handle = window->windowHandle();
    if (!handle)
        return {};
    if (handle->isVisible()) { // mapped already; a widget counts as visible from its show event
        const QMargins shown = handle->frameMargins();
        if (!shown.isNull())
            learned = shown;
        return shown;
    }
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (const auto native = x11frame::requestExtents(window)) {
            learned = toLogical(*native, handle->devicePixelRatio());
            return *learned;
        }
        if (learned)
            return *learned;
    }
    return handle->frameMargins();
}

void centreOnPrimaryScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!window || !screen || !platform::windowsPlaceThemselves())
        return;
    const QMargins frame = frameMargins(window);
    const QPoint corner =
        geometry::centredPosition(screen->geometry().size(), window->size().grownBy(frame));
    const QPoint client = corner + QPoint(frame.left(), frame.top());
    // move() places the client by the frame Qt knows so far, which before the first mapping
    // is often none at all; aiming at the client corner makes that frame irrelevant.
    window->move(client - (window->geometry().topLeft() - window->pos()));
}

} // namespace placement
