// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu's background: a child's felt-pen drawing of a farmhouse before the mountains.
#pragma once

#include <QImage>

namespace art {

inline constexpr QSize landscapeSize{450, 619};

QImage drawLandscape();

} // namespace art
