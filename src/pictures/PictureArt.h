// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A class's own picture (a photo or scan of a drawing) read safely and laid on a card's area.
#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

class PictureArt {
public:
    enum class Placement { Fill, Fit };
    // Pictures larger than this are refused from their header, before decoding.
    static constexpr qint64 pixelCap = 200'000'000;
    // What a picture that cannot be decoded at a smaller size (all but JPEG) may take decoded,
    // in bytes: 128 megapixels at 8 bits a channel, 64 at 16.
    static constexpr qint64 decodedCapBytes = 512 * 1024 * 1024;
    // The stored picture is at most this much larger than its area, so the last smooth scaling
    // has pixels to average.
    static constexpr qreal oversampling = 1.5;

    // Reads a PNG, JPEG, WebP, TIFF or BMP as it is meant to be seen (EXIF orientation applied),
    // decoded straight to no more than it takes to cover the area where the format allows it (an
    // empty area: all of it). Only regular files of those five formats are read, without
    // blocking; a truncated or damaged file is refused. Throws SetRefused.
    static PictureArt read(const QString& path, QSize area);
    // The same for bytes already in memory, named for the messages.
    static PictureArt fromBytes(const QByteArray& bytes, const QString& name, QSize area);
    // The largest drawing a set keeps: a card's or page's area with room for smooth scaling.
    static constexpr int keptLongestSide = 2048;
    static constexpr qint64 keptPixelCap = 2'000'000;
    // A drawing as a set keeps it: a whole PNG no larger than those caps. Throws SetRefused
    // naming it.
    static void checkKept(const QString& name, const QByteArray& bytes);
    explicit PictureArt(QImage image) : image_(std::move(image)) {}

    const QImage& image() const { return image_; }
    // The part of the picture that placement shows on an area, at no more than oversampling
    // times the area's size: what is kept, whatever the picture's size and proportions.
    PictureArt boundedTo(QSize area, Placement placement) const;
    // Fill: cropped to the area's shape, centred; Fit: whole, centred on what is already drawn.
    void draw(QPainter& painter, const QRectF& area, Placement placement) const;

private:
    QImage image_;
};

// A class's picture with the way it is laid on its card.
struct PlacedArt {
    PictureArt art;
    PictureArt::Placement placement;
};
