// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// _NET_REQUEST_FRAME_EXTENTS over Qt's own xcb connection, answered by polling the property.
#include "toolkit/X11FrameExtents.h"

#include <QGuiApplication>
#include <QWidget>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace x11frame {

namespace {

// A window manager answers within a millisecond or two; one that never does costs this once:
// it is remembered and not asked again.
constexpr auto answerDeadline = std::chrono::milliseconds(250);
constexpr auto pollInterval = std::chrono::microseconds(500);
constexpr uint32_t longestAtomList = 4096;
constexpr int extentsCount = 4;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(
        xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

PropertyReply property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                       uint32_t length) {
    const auto cookie = xcb_get_property(c, 0, window, name, type, 0, length);
    PropertyReply reply(xcb_get_property_reply(c, cookie, nullptr));
    if (reply && (reply->type != type || reply->format != 32))
        reply.reset();
    return reply;
}

template <class T> const T* values(const PropertyReply& reply, int atLeast) {
    if (!reply || xcb_get_property_value_length(reply.get()) < int(sizeof(T)) * atLeast)
        return nullptr;
    return static_cast<const T*>(xcb_get_property_value(reply.get()));
}

// The check window of the manager that did not answer in time; a manager started since then has
// another one and is asked again.
xcb_window_t silentManager = XCB_WINDOW_NONE;

// The window manager named on the root window, if its check window still exists and names
// itself: a manager that has gone leaves a stale root property behind.
std::optional<xcb_window_t> runningManager(xcb_connection_t* c, xcb_window_t root) {
    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    // The values live in their replies: keep each reply while its value is read.
    const PropertyReply onRoot = property(c, root, check, XCB_ATOM_WINDOW, 1);
    const auto* wm = values<xcb_window_t>(onRoot, 1);
    if (!wm)
        return std::nullopt;
    const xcb_window_t manager = *wm;
    const PropertyReply onManager = property(c, manager, check, XCB_ATOM_WINDOW, 1);
    const auto* self = values<xcb_window_t>(onManager, 1);
    if (!self || *self != manager)
        return std::nullopt;
    return manager;
}

bool managerSupports(xcb_connection_t* c, xcb_window_t root, xcb_atom_t wanted) {
    const PropertyReply reply =
        property(c, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, longestAtomList);
    if (!reply)
        return false;
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    for (int i = 0; i < count; ++i)
        if (atoms[i] == wanted)
            return true;
    return false;
}

} // namespace

std::optional<QMargins> requestExtents(QWidget* window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !window)
        return std::nullopt;
    const xcb_window_t client = xcb_window_t(window->winId());
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return std::nullopt;
    const xcb_window_t root = screen->root;
    const std::optional<xcb_window_t> manager = runningManager(c, root);
    if (!manager)
        return QMargins();
    if (*manager == silentManager)
        return std::nullopt;
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (!managerSupports(c, root, request))
        return std::nullopt;

    // A frame from an earlier showing must not pass for the answer.
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    xcb_delete_property(c, client, extents);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = client;
    message.type = request;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);

    const auto deadline = std::chrono::steady_clock::now() + answerDeadline;
    do {
        const PropertyReply reply = property(c, client, extents, XCB_ATOM_CARDINAL, extentsCount);
        if (const auto* v = values<uint32_t>(reply, extentsCount)) // left, right, top, bottom
            return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
        std::this_thread::sleep_for(pollInterval);
    } while (std::chrono::steady_clock::now() < deadline);
    silentManager = *manager;
    return std::nullopt;
}

} // namespace x11frame
