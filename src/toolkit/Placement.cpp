// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The frame of a window before it is mapped, and the centring of its outer rectangle.
#include "toolkit/Placement.h"

#include "toolkit/Geometry.h"
#include "toolkit/Platform.h"
#include "toolkit/X11FrameExtents.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
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

// The frame as far as it can be known before mapping; nothing when the manager could not be
// asked and has framed no window of ours yet.
std::optional<QMargins> knownFrame(QWidget* window, QWindow* handle) {
    if (handle->isVisible()) { // mapped already; a widget counts as visible from its show event
        const QMargins shown = handle->frameMargins();
        if (!shown.isNull())
            learned = shown;
        return shown;
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return handle->frameMargins();
    if (const auto native = x11frame::requestExtents(window))
        learned = toLogical(*native, handle->devicePixelRatio());
    return learned;
}

// Centres a window again once the manager has framed it, for the one window that had to be
// placed with its frame unknown; gives up after a while, leaving the window where it is.
class RecentreWhenFramed : public QObject {
public:
    explicit RecentreWhenFramed(QWidget* window) : QObject(window), window_(window) {
        window->windowHandle()->installEventFilter(this);
        QTimer::singleShot(giveUpAfter, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose && !window_->windowHandle()->frameMargins().isNull()) {
            window_->windowHandle()->removeEventFilter(this);
            centreOnPrimaryScreen(window_);
            deleteLater();
        }
        return false;
    }

private:
    static constexpr int giveUpAfter = 2000; // milliseconds
    QWidget* window_;
};

} // namespace

void centreOnPrimaryScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!window || !screen || !platform::windowsPlaceThemselves())
        return;
    window->winId(); // the native window, so that its frame can be asked for before mapping
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    const std::optional<QMargins> known = knownFrame(window, handle);
    const QMargins frame = known.value_or(handle->frameMargins());
    const QPoint corner =
        geometry::centredPosition(screen->geometry().size(), window->size().grownBy(frame));
    const QPoint client = corner + QPoint(frame.left(), frame.top());
    // move() places the client by the frame Qt knows so far, which before the first mapping
    // is often none at all; aiming at the client corner makes that frame irrelevant.
    window->move(client - (window->geometry().topLeft() - window->pos()));
    if (!known)
        new RecentreWhenFramed(window); // owned by the window, gone once done
}

} // namespace placement
