// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Picture loading from the asset folders: extension check, file opening and decoding.
#include "pictures/PictureLoader.h"

#include "base/Errors.h"
#include "base/Paths.h"
#include "pictures/BmpReader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLoggingCategory>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <list>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcPictures, "mirabosc.pictures", QtWarningMsg)

namespace pictures {

namespace {

// No picture the program could show needs more bytes than this.
constexpr qint64 maxFileBytes = qint64(320) * 1024 * 1024;

// The system's description of a file error, without trailing blanks, controls or full stops.
QString systemDescription(int error) {
    QString text = QString::fromLocal8Bit(std::strerror(error));
    while (!text.isEmpty() &&
           (text.back().isSpace() || text.back() == QLatin1Char('.') || text.back().unicode() < 32))
        text.chop(1);
    return text;
}

[[noreturn]] void cannotOpen(const QString& fullPath, int error) {
    throw EFOpenError(QStringLiteral("Impossible d'ouvrir le fichier \"%1\". %2")
                          .arg(fullPath, systemDescription(error)));
}

QByteArray readWholeFile(const QString& fullPath) {
    const QByteArray native = QFile::encodeName(fullPath);
    // Non-blocking, so that a FIFO cannot hold the open (a regular file reads the same either way).
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        cannotOpen(fullPath, errno);
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        // A FIFO, socket or device holds no picture: the system's answer for such a name
        // (a socket's open fails so) is "no such device or address".
        const int error = st.st_mode == 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : ENXIO;
        ::close(fd);
        cannotOpen(fullPath, error);
    }
    if (st.st_size > maxFileBytes) {
        ::close(fd);
        throw EInvalidGraphic(QStringLiteral("Image bitmap incorrecte"));
    }
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    ::close(fd);
    bytes.truncate(qsizetype(done)); // a file that shrank while read is read as it now is
    return bytes;
}

// The last bitmaps decoded, with the bytes they were decoded from. Every load still reads its
// whole file; only a file whose bytes are exactly those of a kept one skips the decoding, which
// costs a card hover more than the read. A changed, broken or missing file is never answered
// from here.
class RecentBitmaps {
public:
    // Never freed, so that a thread still loading at exit finds it in place.
    static RecentBitmaps& kept() {
        static RecentBitmaps* const bitmaps = new RecentBitmaps;
        return *bitmaps;
    }

    QImage decode(const QByteArray& bytes) {
        {
            const std::lock_guard lock(mutex_);
            for (auto it = kept_.begin(); it != kept_.end(); ++it) {
                if (sameBytes(it->bytes, bytes)) {
                    kept_.splice(kept_.begin(), kept_, it);
                    return it->picture;
                }
            }
        }
        QImage picture = BmpReader::decode(bytes);
        const qint64 cost = bytes.size() + picture.sizeInBytes();
        if (picture.isNull() || cost > maxHeldBytes / 4)
            return picture; // a picture this large is not shown again and again
        const std::lock_guard lock(mutex_);
        kept_.push_front({bytes, picture, cost});
        held_ += cost;
        while (held_ > maxHeldBytes || kept_.size() > maxKept) {
            held_ -= kept_.back().cost;
            kept_.pop_back();
        }
        return picture;
    }

private:
    struct Kept {
        QByteArray bytes;
        QImage picture;
        qint64 cost;
    };
    // Enough for a family's cards, its miniatures and an album page.
    static constexpr size_t maxKept = 16;
    static constexpr qint64 maxHeldBytes = qint64(32) * 1024 * 1024;

    // Cards of one size share their headers and often long runs of background: a few bytes
    // sampled across the whole file tell most pairs apart before the full comparison.
    static bool sameBytes(const QByteArray& a, const QByteArray& b) {
        if (a.size() != b.size())
            return false;
        constexpr qsizetype samples = 64;
        const qsizetype step = a.size() / samples + 1;
        for (qsizetype at = a.size() - 1; at >= 0; at -= step)
            if (a[at] != b[at])
                return false;
        return a == b;
    }

    std::mutex mutex_;
    std::list<Kept> kept_; // most recently used first
    qint64 held_ = 0;
};

} // namespace

QImage loadPicture(const QString& relativePath) {
    const QString fullPath = paths::resolve(relativePath);
    const QString extension = QFileInfo(fullPath).suffix().toLower();
    if (extension != QLatin1String("bmp") && extension != QLatin1String("ico") &&
        extension != QLatin1String("wmf") && extension != QLatin1String("emf"))
        throw EInvalidGraphic(QStringLiteral("Extension de fichier image inconnue (.%1)")
                                  .arg(QFileInfo(fullPath).suffix()));

    const QByteArray bytes = readWholeFile(fullPath);
    qCDebug(lcPictures) << "loading" << fullPath << bytes.size() << "bytes";
    if (extension == QLatin1String("bmp"))
        return RecentBitmaps::kept().decode(bytes);
    if (bytes.isEmpty())
        return {};
    // Icons and metafiles are never used by the screens; icons go through Qt's own reader.
    QImage image = QImage::fromData(bytes, extension == QLatin1String("ico") ? "ICO" : nullptr);
    if (image.isNull())
        throw EInvalidGraphic(QStringLiteral("Image bitmap incorrecte"));
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage loadEmbedded(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Impossible d'ouvrir le fichier \"%1\". %2")
                              .arg(resourcePath, systemDescription(ENOENT)));
    return BmpReader::decode(file.readAll());
}

QImage embedded(const QString& resourcePath) noexcept {
    try {
        return loadEmbedded(resourcePath);
    } catch (const Exception& e) {
        qCWarning(lcPictures) << "embedded picture unusable:" << e.message();
    }
    return {};
}

} // namespace pictures
