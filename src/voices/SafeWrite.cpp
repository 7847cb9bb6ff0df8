// Temporary file in the same folder, fsync, rename, fsync of the folder: POSIX calls, so that
// every failure is seen where it happens.
#include "voices/SafeWrite.h"

#include "voices/VoiceRefused.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace safewrite {

namespace {

VoiceRefused writeError(const QString& path, int error) {
    return VoiceRefused(QStringLiteral("Escritura impossibla de %1 : %2")
                            .arg(path, QString::fromLocal8Bit(std::strerror(error))));
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

} // namespace

void write(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    QByteArray temporary = folder + "/." + QFile::encodeName(target.fileName()) + ".tmp-XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        throw writeError(path, errno);
    try {
        errno = 0;
        writeAll(file.get(), bytes);
        if (::fchmod(file.get(), 0644) != 0 || ::fsync(file.get()) != 0 ||
            ::close(file.release()) != 0 ||
            ::rename(temporary.constData(), QFile::encodeName(target.absoluteFilePath())) != 0)
            throw errno;
    } catch (int error) {
        ::unlink(temporary.constData());
        throw writeError(path, error);
    }
    // The rename itself reaches the disk with the folder.
    Descriptor directory(::open(folder.constData(), O_RDONLY | O_DIRECTORY));
    if (directory.get() >= 0)
        ::fsync(directory.get());
}

QByteArray read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VoiceRefused(
            QStringLiteral("Lectura impossibla de %1 : %2").arg(path, file.errorString()));
    return file.readAll();
}

} // namespace safewrite
