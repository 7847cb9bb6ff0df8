// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// HeldKeys: the application's filter of key repeats, in front of every window.
#include "toolkit/HeldKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

Q_LOGGING_CATEGORY(lcKeys, "mirabosc.keys", QtWarningMsg)

// A key is known by the platform's key code where there is one (X's), apart from Qt's key codes.
constexpr int platformKey = 1 << 30;

int keyOf(const QKeyEvent& event) {
    return event.nativeScanCode() != 0 ? int(platformKey | event.nativeScanCode()) : event.key();
}

} // namespace

HeldKeys::HeldKeys(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("heldKeys"));
}

void HeldKeys::install() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || application->findChild<HeldKeys*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    auto* filter = new HeldKeys(application);
    application->installEventFilter(filter);
    application->installNativeEventFilter(filter);
}

// A key from the platform reaches the window first, once, and only then the focused control and
// its parents: the window is where a repeat is told from a new press, whatever window had the
// keyboard when the key went down.
bool HeldKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWindowType())
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    // A key the program or a test makes up has no time from the platform.
    const std::uint64_t time = key->nativeScanCode() != 0 ? key->timestamp() : 0;
    const bool goesOn = type == QEvent::KeyPress
                            ? holds_.press(keyOf(*key), time, key->isAutoRepeat())
                            : holds_.release(keyOf(*key), time, key->isAutoRepeat());
    qCDebug(lcKeys) << (type == QEvent::KeyPress ? "press" : "release") << key->key()
                    << key->nativeScanCode() << time << "flagged" << key->isAutoRepeat()
                    << (goesOn ? "goes on" : "held") << watched;
    return !goesOn;
}

// Every key event X sends is told first, in X's order: Qt delivers them later, and drops those
// sent to a window behind a screen or a message box (a key let go while the window that takes
// the keyboard is not mapped yet).
// A key let go in a window it has just closed goes to no window of ours at all: whenever one of
// them takes the keyboard, X says which keys are down.
bool HeldKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    constexpr uint8_t sentByClient = 0x80;
    const uint8_t type = event->response_type & ~sentByClient;
    if (type == XCB_KEY_RELEASE) {
        const auto* release = reinterpret_cast<const xcb_key_release_event_t*>(event);
        holds_.platformRelease(platformKey | release->detail, release->time);
    } else if (type == XCB_KEY_PRESS) {
        const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
        holds_.platformPress(platformKey | press->detail, press->time);
    } else if (type == XCB_FOCUS_IN) {
        keepKeysDownInX();
    }
    return false;
}

void HeldKeys::keepKeysDownInX() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const std::unique_ptr<xcb_query_keymap_reply_t, decltype(&std::free)> keymap(
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr), &std::free);
    if (!keymap)
        return;
    constexpr int bitsPerByte = 8;
    holds_.keepOnly([&keymap](int key) {
        if (!(key & platformKey))
            return true;
        const int code = key & ~platformKey;
        return (keymap->keys[code / bitsPerByte] >> (code % bitsPerByte) & 1) != 0;
    });
}
