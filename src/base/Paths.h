// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Relative asset paths as the program writes them (backslash between folder and file) and as the
// file system wants them.
#pragma once

#include <QString>

namespace paths {

// The backslash becomes the platform separator.
QString toNativeRelative(const QString& path);
// The absolute path of a relative path, resolved against the current directory now.
QString resolve(const QString& path);

} // namespace paths
