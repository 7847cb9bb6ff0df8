// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Beside the front's cross, two scales read the correction to give: where the back's cross's arms
// cross them, seen through the sheet, is the shift of the backs in millimetres.
#include "deck/AlignmentPage.h"

#include "deck/SheetText.h"

#include <QPainter>

namespace deck {

namespace {

constexpr QPointF crossAt{0.36, 0.42}; // of the page's width and height
constexpr qreal armMm = 25;
constexpr int rulerReachMm = 6;
constexpr qreal rulerOffsetMm = 10;
constexpr qreal tickMm = 1;
constexpr qreal longTickMm = 2;
constexpr int labelEveryMm = 2;
constexpr qreal strokeMm = 0.2;
constexpr qreal labelPoints = 6;
constexpr qreal textPoints = 11;
constexpr QSizeF labelBox{6, 3};
constexpr qreal marginMm = 20;
constexpr qreal instructionsTopMm = 170;
constexpr qreal instructionsHeightMm = 70;

void drawCross(QPainter& painter, QPointF centre) {
    painter.drawLine(centre - QPointF(armMm, 0), centre + QPointF(armMm, 0));
    painter.drawLine(centre - QPointF(0, armMm), centre + QPointF(0, armMm));
}

// Two scales beside the cross, parallel to its arms, ticked every millimetre and labelled with
// the shift that would bring a back's cross whose arm crosses them there onto this one.
void drawRulers(QPainter& painter, QPointF centre) {
    const QPointF below = centre + QPointF(0, rulerOffsetMm);
    const QPointF beside = centre + QPointF(rulerOffsetMm, 0);
    painter.drawLine(below - QPointF(rulerReachMm, 0), below + QPointF(rulerReachMm, 0));
    painter.drawLine(beside - QPointF(0, rulerReachMm), beside + QPointF(0, rulerReachMm));
    for (int mm = -rulerReachMm; mm <= rulerReachMm; ++mm) {
        const qreal length = mm % labelEveryMm == 0 ? longTickMm : tickMm;
        painter.drawLine(below + QPointF(mm, -length), below + QPointF(mm, length));
        painter.drawLine(beside + QPointF(-length, mm), beside + QPointF(length, mm));
        if (mm % labelEveryMm != 0)
            continue;
        const QString label = QString::number(-mm);
        QRectF under(QPointF(), labelBox);
        under.moveCenter(below + QPointF(mm, longTickMm + labelBox.height() / 2));
        SheetText::draw(painter, under, label, labelPoints, Qt::AlignCenter);
        QRectF right(QPointF(), labelBox);
        right.moveCenter(beside + QPointF(longTickMm + labelBox.width() / 2, mm));
        SheetText::draw(painter, right, label, labelPoints, Qt::AlignCenter);
    }
}

} // namespace

QPointF AlignmentPage::crossOnFront(const SheetLayout& layout) {
    return {layout.page().width() * crossAt.x(), layout.page().height() * crossAt.y()};
}

QPointF AlignmentPage::crossOnBack(const SheetLayout& layout, Backs backs, QPointF shiftMm) {
    return layout.behind(crossOnFront(layout), backs) + SheetLayout::shiftOnBack(shiftMm, backs);
}

void AlignmentPage::paint(QPainter& painter, const SheetLayout& layout, Backs backs,
                          QPointF shiftMm, int page) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, strokeMm, Qt::SolidLine, Qt::FlatCap));
    if (page == 1) {
        drawCross(painter, crossOnBack(layout, backs, shiftMm));
        painter.restore();
        return;
    }
    const QPointF centre = crossOnFront(layout);
    drawCross(painter, centre);
    drawRulers(painter, centre);
    const QString edge =
        backs == Backs::ShortEdge ? QStringLiteral("cort") : QStringLiteral("long");
    const QString text =
        QStringLiteral(
            "Pagina d'alinhament\n\n"
            "Imprimissètz aquesta pagina sus las doas caras de la fuèlha, virada pel costat %1, "
            "coma lo jòc, e a 100 %.\n"
            "Gaitatz-la contra lo jorn : la crotz de l'autra cara deu tombar sus aquesta.\n"
            "Se tomba al costat, legissètz sus las doas règlas los numèros ont passan sas "
            "linhas : es lo decalatge dels revèrses de metre, en millimètres (a drecha, en bas).\n"
            "Decalatge ara : %2 mm, %3 mm.")
            .arg(edge)
            .arg(shiftMm.x())
            .arg(shiftMm.y());
    SheetText::draw(painter,
                    QRectF(marginMm, instructionsTopMm, layout.page().width() - 2 * marginMm,
                           instructionsHeightMm),
                    text, textPoints, Qt::AlignLeft | Qt::AlignTop);
    painter.restore();
}

} // namespace deck
