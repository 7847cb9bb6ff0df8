// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// flock on a file of the set: shared for each game, exclusive for the one that swaps the set.
#include "base/GameLock.h"

#include <QFile>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace gamelock {

namespace {

int openIn(const QString& folder, int flags) {
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + fileName);
    return ::open(path.constData(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
}

} // namespace

void holdCurrentFolder() {
    // Read-only, so that a class set no player may write to is held as well.
    const int fd = openIn(QStringLiteral("."), O_RDONLY);
    if (fd >= 0 && ::flock(fd, LOCK_SH | LOCK_NB) != 0)
        ::close(fd);
}

bool isHeld(const QString& folder) {
    const int fd = openIn(folder, O_RDONLY);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

} // namespace gamelock
