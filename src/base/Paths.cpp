// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Conversion of the program's relative paths for the file system.
#include "base/Paths.h"

#include <QDir>

namespace paths {

QString toNativeRelative(const QString& path) {
    QString native = path;
    native.replace(QLatin1Char('\\'), QDir::separator());
    return native;
}

QString resolve(const QString& path) {
    return QDir::current().absoluteFilePath(toNativeRelative(path));
}

} // namespace paths
