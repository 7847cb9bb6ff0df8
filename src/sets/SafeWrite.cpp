// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Temporary file in the same folder, fsync, rename, fsync of the folder: POSIX calls, so that
// every failure is seen where it happens.
#include "sets/SafeWrite.h"

#include "base/Errors.h"
#include "base/SystemErrors.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace safewrite {

namespace {

const QByteArray temporaryMark = ".tmp-";
constexpr int linkAttempts = 16;

SetRefused writeError(const QString& path, int error) {
    return SetRefused(
        QStringLiteral("Escritura impossibla de %1 : %2").arg(path, systemerrors::describe(error)));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

void writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw errno ? errno : EIO;
        data += written;
        left -= written;
    }
}

QByteArray temporaryBeside(const QString& path) {
    const QFileInfo target(path);
    return QFile::encodeName(target.absolutePath()) + "/." + QFile::encodeName(target.fileName()) +
           temporaryMark;
}

} // namespace

QString writeAside(const QString& path, const QByteArray& bytes) {
    QByteArray temporary = temporaryBeside(path) + "XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        throw writeError(path, errno);
    try {
        errno = 0;
        writeAll(file.get(), bytes);
        if (::fchmod(file.get(), 0644) != 0 || ::fsync(file.get()) != 0 ||
            ::close(file.release()) != 0)
            throw errno;
    } catch (int error) {
        ::unlink(temporary.constData());
        throw writeError(path, error);
    }
    return QFile::decodeName(temporary);
}

QString linkAside(const QString& path, const QString& target) {
    std::random_device random;
    for (int attempt = 0; attempt < linkAttempts; ++attempt) {
        const QByteArray temporary = temporaryBeside(path) + QByteArray::number(random(), 36);
        if (::symlink(QFile::encodeName(target).constData(), temporary.constData()) == 0)
            return QFile::decodeName(temporary);
        if (errno != EEXIST)
            throw writeError(path, errno);
    }
    throw writeError(path, EEXIST);
}

void syncFolderOf(const QString& path) {
    Descriptor directory(::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                                O_RDONLY | O_DIRECTORY));
    if (directory.get() >= 0)
        ::fsync(directory.get());
}

void publish(const QString& temporary, const QString& path, bool syncFolder) {
    if (::rename(QFile::encodeName(temporary).constData(),
                 QFile::encodeName(QFileInfo(path).absoluteFilePath()).constData()) != 0) {
        const int error = errno;
        ::unlink(QFile::encodeName(temporary).constData());
        throw writeError(path, error);
    }
    // The rename itself reaches the disk with the folder.
    if (syncFolder)
        syncFolderOf(path);
}

void write(const QString& path, const QByteArray& bytes) {
    publish(writeAside(path, bytes), path);
}

void writeUnsynced(const QString& path, const QByteArray& bytes) {
    Descriptor file(::open(QFile::encodeName(path).constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (file.get() < 0)
        throw writeError(path, errno);
    try {
        errno = 0;
        writeAll(file.get(), bytes);
        if (::close(file.release()) != 0)
            throw errno;
    } catch (int error) {
        ::unlink(QFile::encodeName(path).constData());
        throw writeError(path, error);
    }
}

void syncFileSystemOf(const QString& path) {
    Descriptor folder(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (folder.get() < 0 || ::syncfs(folder.get()) != 0)
        throw writeError(path, errno);
}

QByteArray read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SetRefused(QStringLiteral("Lectura impossibla de %1 : %2")
                             .arg(path, systemerrors::describe(file)));
    return file.readAll();
}

bool isTemporary(const QString& fileName) {
    return fileName.startsWith(QLatin1Char('.')) &&
           fileName.contains(QString::fromLatin1(temporaryMark));
}

namespace {

SetRefused outsideOf(const QString& path, const QString& root) {
    return SetRefused(QStringLiteral("Lo dorsièr %1 es pas dins %2").arg(path, root));
}

} // namespace

QString ensureFolder(const QString& root, const QString& relative) {
    const QString top = QFileInfo(root).canonicalFilePath();
    if (top.isEmpty())
        throw SetRefused(QStringLiteral("Lo dorsièr %1 es introbable").arg(root));
    QString at = top;
    for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            throw outsideOf(relative, root);
        at += QLatin1Char('/') + part;
        struct stat status = {};
        if (::lstat(QFile::encodeName(at).constData(), &status) != 0) {
            if (errno != ENOENT ||
                (::mkdir(QFile::encodeName(at).constData(), 0755) != 0 && errno != EEXIST))
                throw SetRefused(QStringLiteral("Impossible de crear %1").arg(at));
            continue;
        }
        // A link is followed only when it stays inside the set.
        const QString target = QFileInfo(at).canonicalFilePath();
        if (S_ISLNK(status.st_mode) && target != top && !target.startsWith(top + QLatin1Char('/')))
            throw outsideOf(at, root);
        if (!QFileInfo(at).isDir())
            throw outsideOf(at, root);
    }
    return at;
}

} // namespace safewrite
