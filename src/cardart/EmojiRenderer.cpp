// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Emoji are rendered once at the font's bitmap size and cached; later draws only scale them.
#include "cardart/EmojiRenderer.h"

#include "cardart/DeviceScale.h"
#include "cardart/Resampler.h"
#include "cardart/Style.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QtMath>

namespace drawing {

namespace {

// Noto Color Emoji holds one bitmap strike, 109 pixels per em; rendering at it avoids a
// first rescaling.
constexpr int nativePixelSize = 109;
constexpr int canvasSize = 3 * nativePixelSize;

QFont emojiFont() {
    QFont font(QString::fromLatin1(style::emojiFont));
    font.setPixelSize(nativePixelSize);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QImage renderCropped(const QString& emoji) {
    QImage canvas(canvasSize, canvasSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(emojiFont());
        painter.drawText(QRect(0, 0, canvasSize, canvasSize), Qt::AlignCenter, emoji);
    }
    int left = canvasSize, top = canvasSize, right = -1, bottom = -1;
    for (int y = 0; y < canvasSize; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvasSize; ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    return canvas.copy(left, top, right - left + 1, bottom - top + 1);
}

// The same pictogram at the same size is the same picture: a PDF then holds it once.
QImage scaled(const QString& emoji, const QImage& picture, QSize size, bool flipped) {
    constexpr int kept = 512;
    static QMutex mutex;
    static QHash<QString, QImage> cache;
    const QString key =
        QStringLiteral("%1/%2x%3/%4").arg(emoji).arg(size.width()).arg(size.height()).arg(flipped);
    {
        const QMutexLocker lock(&mutex);
        const auto found = cache.constFind(key);
        if (found != cache.constEnd())
            return *found;
    }
    QImage made = Resampler::lanczos(picture, size);
    if (flipped)
        made = made.mirrored(true, false);
    const QMutexLocker lock(&mutex);
    if (cache.size() >= kept)
        cache.clear();
    cache.insert(key, made);
    return made;
}

} // namespace

bool EmojiRenderer::supports(const QString& emoji) {
    const QFontMetrics metrics(emojiFont());
    for (const char32_t code : emoji.toUcs4()) {
        if (code == 0x200D || code == 0xFE0F)
            continue;
        if (!metrics.inFontUcs4(code))
            return false;
    }
    return !emoji.isEmpty();
}

QImage EmojiRenderer::image(const QString& emoji) {
    static QMutex mutex;
    static QHash<QString, QImage> cache;
    {
        const QMutexLocker lock(&mutex);
        const auto found = cache.constFind(emoji);
        if (found != cache.constEnd())
            return *found;
    }
    const QImage rendered = renderCropped(emoji);
    const QMutexLocker lock(&mutex);
    cache.insert(emoji, rendered);
    return rendered;
}

void EmojiRenderer::draw(QPainter& painter, const QString& emoji, const QRectF& box, bool flipped) {
    if (!DeviceScale::isUnit(painter)) {
        // Resampled at the device's resolution, from the font's largest bitmap.
        DeviceScale::draw(painter, box, [&emoji, flipped](QPainter& device, const QRectF& area) {
            draw(device, emoji, area, flipped);
        });
        return;
    }
    const QImage picture = image(emoji);
    if (picture.isNull())
        return;
    QSizeF fitted = picture.size();
    fitted.scale(box.size(), Qt::KeepAspectRatio);
    const QSize size(std::max(1, qRound(fitted.width())), std::max(1, qRound(fitted.height())));
    QRectF target(QPointF(), size);
    target.moveCenter(box.center());
    painter.save();
    // On a plain translation, whole-pixel placement keeps the resampled pixels as they are.
    if (painter.transform().type() <= QTransform::TxTranslate) {
        const QPointF device = painter.transform().map(target.topLeft());
        target.moveTopLeft(target.topLeft() + QPointF(std::round(device.x()) - device.x(),
                                                      std::round(device.y()) - device.y()));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, scaled(emoji, picture, size, flipped));
    painter.restore();
}

void EmojiRenderer::drawSticker(QPainter& painter, const QString& emoji, const QRectF& box,
                                qreal border) {
    const QImage picture = image(emoji);
    if (picture.isNull())
        return;
    QImage silhouette = picture;
    {
        QPainter fill(&silhouette);
        fill.setCompositionMode(QPainter::CompositionMode_SourceIn);
        fill.fillRect(silhouette.rect(), Qt::white);
    }
    QSizeF fitted = picture.size();
    fitted.scale(box.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), fitted);
    target.moveCenter(box.center());
    constexpr int directions = 16;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < directions; ++i) {
        const qreal angle = 2 * M_PI * i / directions;
        painter.drawImage(target.translated(border * qCos(angle), border * qSin(angle)),
                          silhouette);
    }
    painter.restore();
    draw(painter, emoji, box);
}

} // namespace drawing
