// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A large photo is decoded at a reduced size by the JPEG reader itself, which keeps a
// 12-megapixel picture fast and small in memory.
#include "pictures/PictureArt.h"

#include "base/Errors.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The picture is decoded this much larger than the area, so the last smooth scaling has pixels
// to average.
constexpr qreal oversampling = 1.5;

SetRefused unreadable(const QString& path, const QString& why) {
    return SetRefused(QStringLiteral("Legir l'imatge %1 es impossible : %2").arg(path, why));
}

} // namespace

PictureArt PictureArt::read(const QString& path, QSize area) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw unreadable(path, QStringLiteral("fichièr introbable"));
    struct stat status {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw unreadable(path, QStringLiteral("es pas un fichièr ordinari"));
    }
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid())
        throw unreadable(path, reader.errorString());
    if (qint64(stored.width()) * stored.height() > pixelCap)
        throw unreadable(
            path, QStringLiteral("tròp grand (%1 x %2)").arg(stored.width()).arg(stored.height()));
    // The area in the file's own orientation, before the EXIF turn.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSizeF target = QSizeF(turned ? area.transposed() : area) * oversampling;
    const qreal scale =
        std::max(target.width() / stored.width(), target.height() / stored.height());
    if (!area.isEmpty() && scale < 1 && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize((QSizeF(stored) * scale).toSize().expandedTo({1, 1}));
    const QImage image = reader.read();
    if (image.isNull())
        throw unreadable(path, reader.errorString());
    // 8 bits a channel, as the cards are: Qt's smooth scaling of 16-bit pictures leaves a dark
    // last column at large reductions.
    return PictureArt(image.convertToFormat(
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32));
}

void PictureArt::draw(QPainter& painter, const QRectF& area, Placement placement) const {
    const QSize size = area.size().toSize();
    QImage shown;
    if (placement == Placement::Fill) {
        const QSize cover = image_.size().scaled(size, Qt::KeepAspectRatioByExpanding);
        const QImage scaled = image_.scaled(cover, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        shown = scaled.copy(
            QRect(QPoint((cover.width() - size.width()) / 2, (cover.height() - size.height()) / 2),
                  size));
    } else {
        shown = image_.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    const QPointF corner =
        area.topLeft() + QPointF(size.width() - shown.width(), size.height() - shown.height()) / 2;
    painter.drawImage(corner, shown);
}
