// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Asking an X11 window manager, before a window is mapped, what frame it will put round it.
#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace x11frame {

// The frame the window manager will draw round `window` (left, top, right, bottom, in the
// display's own pixels), asked with _NET_REQUEST_FRAME_EXTENTS. Empty margins when no window
// manager runs; nothing when this is not X11 or the manager does not answer in time, and from
// then on nothing at once, without asking that manager again. The window must be created and
// not mapped.
std::optional<QMargins> requestExtents(QWidget* window);

} // namespace x11frame
