// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// flock on a file of the set: shared for each game, exclusive for the one that swaps the set.
#include "base/GameLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace gamelock {

namespace {

// The folders of a set whose files may be links into another set.
const QString setFolders[] = {QStringLiteral("img_album"), QStringLiteral("son_album"),
                              QStringLiteral("img_familles"), QStringLiteral("sons_familles")};

int openIn(const QString& folder, int flags) {
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + fileName);
    return ::open(path.constData(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
}

void hold(const QString& folder) {
    // Read-only, so that a class set no player may write to is held as well.
    const int fd = openIn(folder, O_RDONLY);
    if (fd >= 0 && ::flock(fd, LOCK_SH | LOCK_NB) != 0)
        ::close(fd);
}

// The sets the current folder's links lead to: a set built on a class set reads its unchanged
// files there, so a swap of that set would change what the game shows as much as its own.
QSet<QString> baseSets() {
    QSet<QString> bases;
    for (const QString& folder : setFolders) {
        const QDir dir(folder);
        for (const QFileInfo& file : dir.entryInfoList(QDir::Files | QDir::System)) {
            if (!file.isSymLink())
                continue;
            const QString target = file.symLinkTarget();
            const QString suffix = QLatin1Char('/') + folder + QLatin1Char('/') + file.fileName();
            if (target.endsWith(suffix))
                bases.insert(target.left(target.size() - suffix.size()));
        }
    }
    // The words it did not change are read from its base's texts, through one link.
    const QFileInfo texts(QStringLiteral("textes/base"));
    if (texts.isSymLink() && texts.symLinkTarget().endsWith(QLatin1String("/textes")))
        bases.insert(texts.symLinkTarget().chopped(int(qstrlen("/textes"))));
    return bases;
}

} // namespace

void holdCurrentFolder() {
    hold(QStringLiteral("."));
    for (const QString& base : baseSets())
        hold(base);
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
