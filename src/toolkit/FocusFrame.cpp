// The focus frame: a broad orange band with a dark line inside, visible on light and dark ground.
#include "toolkit/FocusFrame.h"

#include <QPainter>
#include <QRegion>

namespace focusframe {

namespace {

constexpr int bandWidth = 4;
constexpr int edgeWidth = 1;
const QColor band(255, 128, 0);
const QColor edge(40, 40, 40);

} // namespace

void paint(QPainter& painter, QRect rect) {
    const QRect inner = rect.adjusted(bandWidth, bandWidth, -bandWidth, -bandWidth);
    const QRect innermost = inner.adjusted(edgeWidth, edgeWidth, -edgeWidth, -edgeWidth);
    for (const QRect& part : QRegion(rect).subtracted(inner))
        painter.fillRect(part, band);
    for (const QRect& part : QRegion(inner).subtracted(innermost))
        painter.fillRect(part, edge);
}

} // namespace focusframe
