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
    static constexpr qint64 pixelCap = 80'000'000;

    // Reads a PNG, JPEG, WebP, TIFF or BMP as it is meant to be seen (EXIF orientation applied),
    // decoded straight to no more than it takes to cover the area (an empty area: all of it). Only
    // regular files are read, without blocking. Throws SetRefused.
    static PictureArt read(const QString& path, QSize area);
    explicit PictureArt(QImage image) : image_(std::move(image)) {}

    const QImage& image() const { return image_; }
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
