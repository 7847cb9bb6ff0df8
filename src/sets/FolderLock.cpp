// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The lock file names its holder (program and process), so a writer kept waiting can say who.
#include "sets/FolderLock.h"

#include "base/Errors.h"
#include "base/SystemErrors.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int pollMs = 20;
constexpr int holderBytes = 256;
// The folders this thread holds, with how many times: flock would make a nested lock of the same
// process wait for itself.
thread_local QHash<QString, int> heldHere;

} // namespace

FolderLock::FolderLock(const QString& folder)
    : folder_(QDir::cleanPath(QDir(folder).absolutePath())) {
    if (heldHere.contains(folder_)) {
        ++heldHere[folder_];
        return;
    }
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + fileName());
    // O_NOFOLLOW: a link planted as the lock file must not make us create a file elsewhere.
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd_ < 0)
        throw SetRefused(QStringLiteral("Impossible de verrolhar %1 : %2")
                             .arg(folder, systemerrors::describe(errno)));
    const QDeadlineTimer deadline(waitMs);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            char holder[holderBytes] = {};
            const ssize_t got = ::pread(fd_, holder, sizeof holder - 1, 0);
            ::close(fd_);
            const QString who = QString::fromLocal8Bit(holder, std::max<ssize_t>(0, got)).trimmed();
            throw SetRefused(
                QStringLiteral("Lo dorsièr %1 es ocupat per un autre escrivan%2 : "
                               "tornatz ensajar quand aurà acabat")
                    .arg(folder, who.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(who)));
        }
        QThread::msleep(pollMs);
    }
    const QByteArray holder = QStringLiteral("%1, pid %2\n")
                                  .arg(QCoreApplication::applicationName())
                                  .arg(::getpid())
                                  .toLocal8Bit();
    if (::ftruncate(fd_, 0) == 0 &&
        ::pwrite(fd_, holder.constData(), size_t(holder.size()), 0) < 0) {
        // The name of the holder is a courtesy; the lock itself is held.
    }
    heldHere.insert(folder_, 1);
}

FolderLock::~FolderLock() {
    if (--heldHere[folder_] > 0)
        return;
    heldHere.remove(folder_);
    // The holder's name goes with the lock, so that it never names a writer long gone.
    if (fd_ >= 0) {
        if (::ftruncate(fd_, 0) != 0) {
            // Only a courtesy lost: the next holder writes its own name.
        }
        ::close(fd_);
    }
}
