// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Album pages: sky, far peaks, hills and meadow, then the pictograms, then the text.
#include "cardart/AlbumPainter.h"

#include "assets/DisplaySizes.h"
#include "cardart/EmojiRenderer.h"
#include "cardart/Lettering.h"
#include "cardart/SkyPainter.h"
#include "cardart/Style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTextOption>
#include <QtMath>

namespace drawing {

namespace {

constexpr qreal width = displaysize::albumPage.width();
constexpr qreal height = displaysize::albumPage.height();
constexpr qreal horizon = 300;
constexpr qreal groundTop = 330;
// The narration band keeps clear of the sound buttons over the page's lower left corner.
constexpr QRectF narrationBand{100, 422, 644, 94};
constexpr QRectF titleBand{24, 12, 704, 96};
constexpr int narrationMaxPixels = 32;
constexpr quint32 meadowSeed = 4242;
constexpr int tuftCount = 40;
constexpr int flowerCount = 22;

// Grass tufts and small flowers strewn over the meadow, the same for a page at every run.
void drawMeadowDetails(QPainter& painter, int pageNumber) {
    QRandomGenerator random(meadowSeed + quint32(pageNumber));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < tuftCount; ++i) {
        const QPointF at(random.bounded(int(width)), groundTop + 24 + random.bounded(170));
        painter.setPen(QPen(QColor(0x3E, 0x86, 0x30), 2, Qt::SolidLine, Qt::RoundCap));
        for (const qreal lean : {-5.0, 0.0, 5.0})
            painter.drawLine(at, at + QPointF(lean, -9 - std::abs(lean)));
    }
    const QColor petals[] = {Qt::white, QColor(0xFF, 0xD5, 0xE5), QColor(0xFF, 0xE0, 0x66),
                             QColor(0xC9, 0xB8, 0xFF)};
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < flowerCount; ++i) {
        const QPointF at(random.bounded(int(width)), groundTop + 30 + random.bounded(170));
        const qreal r = 2.5 + random.bounded(3);
        painter.setBrush(petals[random.bounded(4)]);
        for (int petal = 0; petal < 5; ++petal) {
            const qreal angle = 2 * M_PI * petal / 5;
            painter.drawEllipse(at + r * QPointF(qCos(angle), qSin(angle)), r * 0.8, r * 0.8);
        }
        painter.setBrush(QColor(0xF5, 0xB0, 0x20));
        painter.drawEllipse(at, r * 0.6, r * 0.6);
    }
}

QPainterPath peaks() {
    // Far mountains: a fixed skyline, the same on every page, as the story stays in one valley.
    const QPointF points[] = {{-20, horizon + 10}, {60, 190},  {130, 230}, {220, 128},
                              {300, 205},          {360, 175}, {450, 250}, {540, 150},
                              {620, 215},          {700, 160}, {820, 240}, {820, horizon + 10}};
    QPainterPath path;
    path.moveTo(points[0]);
    for (const QPointF& p : points)
        path.lineTo(p);
    path.closeSubpath();
    return path;
}

QPainterPath snowCaps() {
    QPainterPath path;
    const QPointF tops[] = {{220, 128}, {540, 150}, {700, 160}, {60, 190}};
    for (const QPointF& top : tops) {
        path.moveTo(top);
        path.lineTo(top + QPointF(-30, 30));
        path.lineTo(top + QPointF(-12, 24));
        path.lineTo(top + QPointF(0, 34));
        path.lineTo(top + QPointF(14, 24));
        path.lineTo(top + QPointF(28, 30));
        path.closeSubpath();
    }
    return path;
}

QPainterPath hill(qreal left, qreal right, qreal crest, qreal base) {
    QPainterPath path;
    path.moveTo(left, base);
    path.cubicTo(left + (right - left) * 0.3, crest, left + (right - left) * 0.7, crest, right,
                 base);
    path.lineTo(right, height);
    path.lineTo(left, height);
    path.closeSubpath();
    return path;
}

void drawRainbow(QPainter& painter) {
    const QColor bands[] = {QColor(0xE5, 0x39, 0x35), QColor(0xFB, 0x8C, 0x00),
                            QColor(0xFD, 0xD8, 0x35), QColor(0x43, 0xA0, 0x47),
                            QColor(0x1E, 0x88, 0xE5), QColor(0x3F, 0x51, 0xB5),
                            QColor(0x8E, 0x24, 0xAA)};
    constexpr qreal outer = 330;
    constexpr qreal bandWidth = 13;
    const QPointF centre(420, 390);
    painter.save();
    painter.setOpacity(0.75);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        painter.setPen(QPen(bands[i], bandWidth, Qt::SolidLine, Qt::FlatCap));
        const qreal r = outer - i * bandWidth;
        painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 180 * 16);
    }
    painter.restore();
}

} // namespace

void AlbumPainter::drawLandscape(QPainter& painter, const AlbumPage& page) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x7D, 0x93, 0xB8));
    painter.drawPath(peaks());
    painter.setBrush(QColor(0xF4, 0xF7, 0xFF));
    painter.drawPath(snowCaps());
    if (page.rainbow)
        drawRainbow(painter);
    painter.setBrush(QColor(0x8C, 0xC8, 0x6E));
    painter.drawPath(hill(-60, 420, 230, groundTop + 10));
    painter.setBrush(QColor(0x76, 0xBB, 0x5C));
    painter.drawPath(hill(330, 860, 220, groundTop + 10));
    QLinearGradient meadow(0, groundTop, 0, height);
    meadow.setColorAt(0, QColor(0x6C, 0xB4, 0x4E));
    meadow.setColorAt(1, QColor(0x4E, 0x95, 0x3A));
    painter.setBrush(meadow);
    QPainterPath ground;
    ground.moveTo(0, groundTop + 14);
    ground.cubicTo(260, groundTop - 6, 520, groundTop + 22, width, groundTop);
    ground.lineTo(width, height);
    ground.lineTo(0, height);
    ground.closeSubpath();
    painter.drawPath(ground);
    drawMeadowDetails(painter, page.number);

    for (const SceneItem& item : page.items) {
        if (item.kind == SceneItem::Kind::Pool) {
            painter.setBrush(item.colour);
            painter.drawEllipse(item.centre, item.size / 2.0, item.size / 9.0);
            continue;
        }
        const QRectF box(item.centre.x() - item.size / 2.0, item.centre.y() - item.size / 2.0,
                         item.size, item.size);
        EmojiRenderer::draw(painter, item.emoji, box, item.flipped);
    }
}

void AlbumPainter::drawNarration(QPainter& painter, const QString& text) {
    painter.setPen(QPen(QColor(0x8A, 0x6A, 0x4A), 2));
    painter.setBrush(QColor(0xFF, 0xF8, 0xEA, 238));
    painter.drawRoundedRect(narrationBand, 16, 16);
    const QRectF inside = narrationBand.adjusted(16, 8, -16, -8);
    QTextOption option(Qt::AlignCenter);
    option.setWrapMode(QTextOption::WordWrap);
    QFont font(QString::fromLatin1(style::wordFont));
    font.setBold(true);
    for (int pixels = narrationMaxPixels; pixels > 12; --pixels) {
        font.setPixelSize(pixels);
        painter.setFont(font);
        const QRectF needed =
            painter.boundingRect(inside, Qt::AlignCenter | Qt::TextWordWrap, text);
        if (needed.height() <= inside.height() && needed.width() <= inside.width())
            break;
    }
    painter.setPen(style::ink());
    painter.drawText(inside, text, option);
}

void AlbumPainter::drawTitle(QPainter& painter, const QString& title) {
    const QFont font = Lettering::fitted(style::titleFont, false, 58, title, titleBand.width());
    Lettering::drawOutlined(painter, font, titleBand, title, Qt::white, QColor(0x8A, 0x3B, 0x1E),
                            3);
}

QImage AlbumPainter::page(const AlbumPage& page) {
    QImage image(displaysize::albumPage, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    SkyPainter::draw(painter, page.sky, horizon);

    QImage land(displaysize::albumPage, QImage::Format_ARGB32_Premultiplied);
    land.fill(Qt::transparent);
    {
        QPainter landPainter(&land);
        landPainter.setRenderHint(QPainter::Antialiasing);
        drawLandscape(landPainter, page);
        landPainter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        landPainter.fillRect(land.rect(), SkyPainter::tint(page.sky));
    }
    painter.drawImage(0, 0, land);

    if (!page.title.isEmpty())
        drawTitle(painter, page.title);
    if (!page.text.isEmpty())
        drawNarration(painter, page.text);
    return image;
}

QRectF AlbumPainter::artArea() {
    return QRectF(0, 0, style::albumVisibleWidth, height);
}

QImage AlbumPainter::page(const AlbumPage& page,
                          const std::function<void(QPainter& painter, const QRectF& area)>& art) {
    QImage image(displaysize::albumPage, QImage::Format_RGB32);
    image.fill(style::cardFace());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    art(painter, artArea());
    if (!page.title.isEmpty())
        drawTitle(painter, page.title);
    if (!page.text.isEmpty())
        drawNarration(painter, page.text);
    return image;
}

} // namespace drawing