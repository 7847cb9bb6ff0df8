// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Loudspeakers on a black ground; their darkest parts stay above pure black, which is see-through.
#include "Speakers.h"

#include "ArtColours.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {
namespace {

constexpr QSize glyphSize{48, 48};

// The front-facing speaker of the narration buttons.
constexpr QPointF coneCentre{18, 18};
constexpr qreal rimRadius = 16.5;
constexpr qreal coneRadius = 13.5;
constexpr qreal capRadius = 5;
constexpr qreal waveRadii[] = {20.5, 25.5, 30.5};
constexpr qreal waveMidAngle = -45; // towards the lower right, in Qt's counter-clockwise degrees
constexpr qreal waveSpan = 40;

const QColor frameGrey{200, 202, 206};
const QColor frameShadow{112, 114, 120};
const QColor coneLight{176, 178, 184};
const QColor coneDeep{58, 60, 66};
const QColor capLight{236, 236, 240};
const QColor capShade{132, 134, 140};
const QColor waveViolet{112, 92, 236};
const QColor crossRed{230, 22, 22};
const QColor crossEdge{140, 8, 8};

// The side-view speaker of the replay button.
const QColor magnetBlueGrey{104, 120, 148};
const QColor magnetLight{170, 184, 208};
const QColor bodyGrey{150, 154, 162};
const QColor bodyDark{70, 76, 90};
const QColor mouthLight{214, 222, 236};
const QColor replayWave{150, 168, 200};

QImage blackGround() {
    QImage image(glyphSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(black);
    return image;
}

QPen roundPen(const QColor& ink, qreal width) {
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void paintFrontSpeaker(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    // The basket's rim, lit from the top left.
    QLinearGradient rim(coneCentre - QPointF(rimRadius, rimRadius),
                        coneCentre + QPointF(rimRadius, rimRadius));
    rim.setColorAt(0, frameGrey);
    rim.setColorAt(1, frameShadow);
    painter.setPen(Qt::NoPen);
    painter.setBrush(rim);
    painter.drawEllipse(coneCentre, rimRadius, rimRadius);

    // The cone sinks towards its centre.
    QRadialGradient cone(coneCentre, coneRadius, coneCentre + QPointF(2, 2));
    cone.setColorAt(0, coneDeep);
    cone.setColorAt(1, coneLight);
    painter.setBrush(cone);
    painter.drawEllipse(coneCentre, coneRadius, coneRadius);
    painter.setPen(roundPen(coneDeep, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(coneCentre, coneRadius, coneRadius);
    painter.drawEllipse(coneCentre, coneRadius * 0.66, coneRadius * 0.66);

    // The dome of the dust cap, with its highlight.
    QRadialGradient cap(coneCentre - QPointF(1.5, 1.5), capRadius * 1.4);
    cap.setColorAt(0, capLight);
    cap.setColorAt(1, capShade);
    painter.setPen(Qt::NoPen);
    painter.setBrush(cap);
    painter.drawEllipse(coneCentre, capRadius, capRadius);

    painter.setBrush(Qt::NoBrush);
    for (const qreal radius : waveRadii) {
        painter.setPen(roundPen(waveViolet, 2.4));
        const QRectF box(coneCentre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
        painter.drawArc(box, static_cast<int>((waveMidAngle - waveSpan / 2) * 16),
                        static_cast<int>(waveSpan * 16));
    }
}

} // namespace

QImage drawSoundOn() {
    QImage image = blackGround();
    QPainter painter(&image);
    paintFrontSpeaker(painter);
    return image;
}

QImage drawSoundOff() {
    QImage image = blackGround();
    QPainter painter(&image);
    paintFrontSpeaker(painter);
    constexpr qreal near = 6;
    constexpr qreal far = 42;
    for (const auto& [width, ink] : {std::pair{7.5, crossEdge}, std::pair{5.0, crossRed}}) {
        painter.setPen(roundPen(ink, width));
        painter.drawLine(QPointF(near, near), QPointF(far, far));
        painter.drawLine(QPointF(far, near), QPointF(near, far));
    }
    return image;
}

QImage drawReplay() {
    QImage image = blackGround();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The magnet at the back: a rounded block of blue-grey.
    const QRectF magnet(5, 17, 11, 14);
    QLinearGradient metal(magnet.topLeft(), magnet.bottomLeft());
    metal.setColorAt(0, magnetLight);
    metal.setColorAt(1, magnetBlueGrey);
    painter.setPen(roundPen(bodyDark, 1));
    painter.setBrush(metal);
    painter.drawRoundedRect(magnet, 2, 2);

    // The cone, widening to the right.
    QPainterPath cone;
    cone.moveTo(15.5, 20);
    cone.lineTo(29, 8);
    cone.lineTo(29, 40);
    cone.lineTo(15.5, 28);
    cone.closeSubpath();
    QLinearGradient side(QPointF(0, 8), QPointF(0, 40));
    side.setColorAt(0, bodyGrey.lighter(125));
    side.setColorAt(0.55, bodyGrey);
    side.setColorAt(1, bodyDark);
    painter.setBrush(side);
    painter.drawPath(cone);

    // The open mouth of the cone, seen edge on.
    painter.setPen(roundPen(magnetBlueGrey, 1.2));
    painter.setBrush(mouthLight);
    painter.drawEllipse(QRectF(26.5, 8, 5, 32));

    // Two waves spreading to the right.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(replayWave, 2.6));
    painter.drawArc(QRectF(24, 12, 14, 24), -55 * 16, 110 * 16);
    painter.drawArc(QRectF(25, 5, 20, 38), -55 * 16, 110 * 16);
    return image;
}

} // namespace art
