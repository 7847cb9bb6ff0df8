// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A write is a temporary file and a rename, so each change comes as several notices: they settle
// first. Subfolders made later (the first fill, the undo history) are watched once they appear.
#include "workshop/FolderWatcher.h"

#include <QDirIterator>

namespace {

constexpr int settleMs = 150;

} // namespace

FolderWatcher::FolderWatcher(const QString& root, QObject* parent) : QObject(parent), root_(root) {
    settle_.setSingleShot(true);
    settle_.setInterval(settleMs);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, [this] {
        watchFolders();
        emit changed();
    });
    watchFolders();
}

void FolderWatcher::watchFolders() {
    QStringList folders{root_};
    QDirIterator it(root_, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << it.next();
    const QStringList watched = watcher_.directories();
    for (const QString& folder : folders)
        if (!watched.contains(folder))
            watcher_.addPath(folder);
}
