// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A large photo is decoded at a reduced size by the JPEG reader itself, which keeps a
// 12-megapixel picture fast and small in memory; every picture is cropped before it is scaled.
#include "pictures/PictureArt.h"

#include "base/Errors.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The formats the workshop documents; every other installed plugin is refused.
const QList<QByteArray> formats{"png", "jpeg", "webp", "tiff", "bmp"};
constexpr qint64 bytesPerMegabyte = 1024 * 1024;
constexpr qint64 megapixel = 1'000'000;

SetRefused unreadable(const QString& path, const QString& why) {
    return SetRefused(QStringLiteral("Legir l'imatge %1 es impossible : %2").arg(path, why));
}

// The JPEG reader says a file ends too soon only as a warning, and paints the rest grey.
thread_local bool cutShort = false;
QtMessageHandler previousHandler = nullptr;

void noticeCutShort(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // "Premature end of JPEG file", "Corrupt JPEG data: premature end of data segment"
    if (message.contains(QLatin1String("premature end"), Qt::CaseInsensitive))
        cutShort = true;
    else if (previousHandler)
        previousHandler(type, context, message);
}

class WarningWatch {
public:
    WarningWatch() {
        cutShort = false;
        previousHandler = qInstallMessageHandler(noticeCutShort);
    }
    ~WarningWatch() { qInstallMessageHandler(previousHandler); }
    WarningWatch(const WarningWatch&) = delete;
    WarningWatch& operator=(const WarningWatch&) = delete;
};

// The largest rectangle of the area's shape inside the picture, centred.
QRect croppedTo(QSize picture, QSize area) {
    const QSize inside =
        area.scaled(picture, Qt::KeepAspectRatio).boundedTo(picture).expandedTo({1, 1});
    return {
        QPoint((picture.width() - inside.width()) / 2, (picture.height() - inside.height()) / 2),
        inside};
}

// BMP and WebP headers say how long the file is; their readers decode a shorter one partly.
constexpr int riffHeaderBytes = 8;

bool shorterThanDeclared(const QByteArray& head, qint64 size, const QByteArray& format) {
    constexpr int bmpLengthAt = 2;
    constexpr int riffLengthAt = 4;
    if (head.size() < riffHeaderBytes)
        return false;
    if (format == "bmp")
        return qFromLittleEndian<quint32>(head.constData() + bmpLengthAt) > size;
    if (format == "webp")
        return qint64(qFromLittleEndian<quint32>(head.constData() + riffLengthAt)) +
                   riffHeaderBytes >
               size;
    return false;
}

// A PNG is whole when its chunks follow one another to IEND, none claiming more bytes than the
// file holds: libpng would otherwise spend seconds on a chunk of a few gigabytes that is not there.
bool pngIsWhole(QIODevice& device) {
    constexpr qint64 signatureBytes = 8;
    constexpr qint64 chunkFrameBytes = 12; // length, type, CRC
    const qint64 size = device.size();
    bool whole = false;
    for (qint64 at = signatureBytes; at + chunkFrameBytes <= size && device.seek(at);) {
        const QByteArray head = device.read(signatureBytes);
        if (head.size() != signatureBytes)
            break;
        const qint64 length = qFromBigEndian<quint32>(head.constData());
        if (length > size - at - chunkFrameBytes)
            break;
        if (head.mid(4) == "IEND") {
            whole = true;
            break;
        }
        at += chunkFrameBytes + length;
    }
    device.seek(0);
    return whole;
}

// libtiff, behind Qt's TIFF reader, writes its own complaints on stderr and the picture would
// only be called damaged: a directory or strip cut short, and CMYK at other than 8 bits a channel
// (its RGBA reader takes no other), are refused here first, with what they are.
QString tiffRefusal(QIODevice& device) {
    constexpr int headerBytes = 8;
    constexpr int entryBytes = 12;
    constexpr quint16 bitsPerSampleTag = 258;
    constexpr quint16 photometricTag = 262;
    constexpr quint16 stripOffsetsTag = 273;
    constexpr quint16 tileOffsetsTag = 324;
    constexpr quint16 stripBytesTag = 279;
    constexpr quint16 tileBytesTag = 325;
    constexpr quint16 longType = 4;
    constexpr quint32 maxStrips = 1 << 20;
    constexpr quint16 separated = 5; // CMYK
    constexpr quint16 shortType = 3;
    const QByteArray head = device.peek(headerBytes);
    const bool little = head.startsWith("II*\0");
    if (!little && !head.startsWith("MM\0*"))
        return {};
    if (head.size() < headerBytes)
        return QStringLiteral("imatge damatjada o copada");
    const auto u16 = [little](const char* at) {
        return little ? qFromLittleEndian<quint16>(at) : qFromBigEndian<quint16>(at);
    };
    const auto u32 = [little](const char* at) {
        return little ? qFromLittleEndian<quint32>(at) : qFromBigEndian<quint32>(at);
    };
    // Offsets are checked against the size first: a buffer warns of a seek past its end.
    const auto within = [&device](qint64 at) { return at + 2 <= device.size() && device.seek(at); };
    const QString cut = QStringLiteral("imatge damatjada o copada");
    const qint64 directory = u32(head.constData() + 4);
    if (!within(directory))
        return device.seek(0), cut;
    const QByteArray count = device.read(2);
    const int entries = count.size() == 2 ? u16(count.constData()) : 0;
    const QByteArray table = device.read(qint64(entries) * entryBytes);
    if (table.size() != qint64(entries) * entryBytes)
        return device.seek(0), cut;
    quint16 photometric = 0, bits = 8;
    bool whole = true;
    std::vector<quint64> offsets, lengths;
    // A field's numbers: in its entry when they fit in four bytes, else where it points.
    const auto numbers = [&](quint16 type, quint32 values, const char* field) {
        const int size = type == shortType ? 2 : 4;
        std::vector<quint64> read;
        if ((type != shortType && type != longType) || values > maxStrips) {
            whole = false;
            return read;
        }
        QByteArray bytes(field, 4);
        if (qint64(values) * size > 4) {
            const quint32 at = u32(field);
            bytes = within(at) ? device.read(qint64(values) * size) : QByteArray();
        }
        if (bytes.size() < qint64(values) * size) {
            whole = false;
            return read;
        }
        for (quint32 v = 0; v < values; ++v)
            read.push_back(size == 2 ? u16(bytes.constData() + v * 2)
                                     : u32(bytes.constData() + v * 4));
        return read;
    };
    for (int i = 0; i < entries; ++i) {
        const char* entry = table.constData() + i * entryBytes;
        const quint16 tag = u16(entry);
        const quint16 type = u16(entry + 2);
        const quint32 values = u32(entry + 4);
        if (tag == photometricTag && type == shortType)
            photometric = u16(entry + 8);
        else if (tag == bitsPerSampleTag && type == shortType && values == 1)
            bits = u16(entry + 8);
        else if (tag == bitsPerSampleTag && type == shortType && within(u32(entry + 8)))
            bits = u16(device.read(2).leftJustified(2, '\0').constData());
        else if (tag == stripOffsetsTag || tag == tileOffsetsTag)
            offsets = numbers(type, values, entry + 8);
        else if (tag == stripBytesTag || tag == tileBytesTag)
            lengths = numbers(type, values, entry + 8);
    }
    device.seek(0);
    // Every strip (or tile) of the picture lies within the file.
    if (offsets.empty() || offsets.size() != lengths.size())
        whole = false;
    for (std::size_t i = 0; whole && i < offsets.size(); ++i)
        whole = offsets[i] + lengths[i] <= quint64(device.size());
    if (!whole)
        return cut;
    if (photometric == separated && bits != 8)
        return QStringLiteral("TIFF en CMJN a %1 bits per canal : Mirabosc pren lo CMJN a 8 bits "
                              "solament ; enregistratz l'imatge en RGB")
            .arg(bits);
    return {};
}

QImage decode(QImageReader& reader, const QString& path, QSize area) {
    const QByteArray head = reader.device()->peek(riffHeaderBytes);
    // Before the reader reads anything: the walk moves through the file and back.
    if (head.startsWith("\x89PNG") && !pngIsWhole(*reader.device()))
        throw unreadable(path, QStringLiteral("imatge damatjada o copada"));
    if (const QString refusal = tiffRefusal(*reader.device()); !refusal.isEmpty())
        throw unreadable(path, refusal);
    reader.setAutoTransform(true);
    if (!reader.canRead() || !formats.contains(reader.format()))
        throw unreadable(path, reader.format().isEmpty() || !reader.canRead()
                                   ? QStringLiteral("es pas un imatge PNG, JPEG, WebP, TIFF o BMP")
                                   : QStringLiteral("lo format %1 es pas pres (PNG, JPEG, WebP, "
                                                    "TIFF o BMP solament)")
                                         .arg(QString::fromLatin1(reader.format())));
    const QSize stored = reader.size();
    if (!stored.isValid() || shorterThanDeclared(head, reader.device()->size(), reader.format()))
        throw unreadable(path, QStringLiteral("imatge damatjada"));
    const qint64 pixels = qint64(stored.width()) * stored.height();
    if (pixels > PictureArt::pixelCap)
        throw unreadable(path, QStringLiteral("tròp grand (%1 x %2) : %3 megapixèls al mai")
                                   .arg(stored.width())
                                   .arg(stored.height())
                                   .arg(PictureArt::pixelCap / megapixel));
    // The area in the file's own orientation, before the EXIF turn.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSizeF target = QSizeF(turned ? area.transposed() : area) * PictureArt::oversampling;
    const qreal scale =
        std::max(target.width() / stored.width(), target.height() / stored.height());
    QSize decoded = stored;
    if (!area.isEmpty() && scale < 1 && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        decoded = (QSizeF(stored) * scale).toSize().expandedTo({1, 1});
        reader.setScaledSize(decoded);
    }
    // Only the JPEG reader decodes straight to a smaller size; the others decode the whole
    // picture first, 16 bits a channel taking twice the room of the usual pictures.
    const int depth = std::max(32, int(QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel()));
    const QSize whole = reader.format() == "jpeg" ? decoded : stored;
    const qint64 bytes = qint64(whole.width()) * whole.height() * depth / 8;
    if (bytes > PictureArt::decodedCapBytes)
        throw unreadable(path, QStringLiteral("tròp grand (%1 x %2) : %3 megapixèls al mai a "
                                              "%4 bits per canal")
                                   .arg(stored.width())
                                   .arg(stored.height())
                                   .arg(PictureArt::decodedCapBytes * 8 / depth / megapixel)
                                   .arg(depth / 4));
    reader.setAllocationLimit(
        int((qint64(stored.width()) * stored.height() * depth / 8) / bytesPerMegabyte) + 1);
    QImage image;
    {
        const WarningWatch watch;
        image = reader.read();
    }
    if (image.isNull() || cutShort)
        throw unreadable(path, QStringLiteral("imatge damatjada o copada"));
    // 8 bits a channel, as the cards are: Qt's smooth scaling of 16-bit pictures leaves a dark
    // last column at large reductions.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

} // namespace

PictureArt PictureArt::read(const QString& path, QSize area) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw unreadable(path, QStringLiteral("fichièr introbable"));
    struct stat status = {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw unreadable(path, QStringLiteral("es pas un fichièr ordinari"));
    }
    QImageReader reader(&file);
    return PictureArt(decode(reader, path, area));
}

PictureArt PictureArt::fromBytes(const QByteArray& bytes, const QString& name, QSize area) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return PictureArt(decode(reader, name, area));
}

void PictureArt::checkKept(const QString& name, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid())
        throw SetRefused(QStringLiteral("Lo dessenh %1 es pas un imatge PNG").arg(name));
    if (size.width() > keptLongestSide || size.height() > keptLongestSide ||
        qint64(size.width()) * size.height() > keptPixelCap)
        throw SetRefused(QStringLiteral("Lo dessenh %1 es tròp grand (%2 x %3) : %4 pixèls de "
                                        "costat e %5 megapixèls al mai")
                             .arg(name)
                             .arg(size.width())
                             .arg(size.height())
                             .arg(keptLongestSide)
                             .arg(keptPixelCap / megapixel));
    fromBytes(bytes, name, QSize());
}

PictureArt PictureArt::boundedTo(QSize area, Placement placement) const {
    if (area.isEmpty() || image_.isNull())
        return *this;
    const QSize most = (QSizeF(area) * oversampling).toSize();
    const QImage part =
        placement == Placement::Fill ? image_.copy(croppedTo(image_.size(), area)) : image_;
    if (part.width() <= most.width() && part.height() <= most.height())
        return PictureArt(part);
    return PictureArt(part.scaled(part.size().scaled(most, Qt::KeepAspectRatio).expandedTo({1, 1}),
                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void PictureArt::draw(QPainter& painter, const QRectF& area, Placement placement) const {
    const QSize size = area.size().toSize();
    if (size.isEmpty() || image_.isNull())
        return;
    // Cropped before it is scaled: the work is bounded by the area, whatever the proportions.
    const QImage shown =
        placement == Placement::Fill
            ? image_.copy(croppedTo(image_.size(), size))
                  .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            : image_.scaled(image_.size().scaled(size, Qt::KeepAspectRatio).expandedTo({1, 1}),
                            Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QPointF corner =
        area.topLeft() + QPointF(size.width() - shown.width(), size.height() - shown.height()) / 2;
    painter.drawImage(corner, shown);
}
