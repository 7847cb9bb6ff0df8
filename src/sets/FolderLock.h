// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One writer at a time in a set: flock on a file inside the folder, for the window and the
// command line alike.
#pragma once

#include <QString>

class FolderLock {
public:
    // How long a second writer waits before it gives up and says who holds the lock.
    static constexpr int waitMs = 3000;

    // Takes the lock of the folder, which must exist. Throws SetRefused naming the holder when
    // another writer keeps it longer than waitMs. A thread that holds it already (a change made
    // of several writes) takes it again at once.
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    static QString fileName() { return QStringLiteral(".mirabosc.lock"); }

private:
    QString folder_;
    int fd_ = -1;
};
