// SpeedButton: a sunken bevel while pressed, the glyph nudged by a pixel, its ground left out.
#include "screens/SpeedButton.h"

#include "toolkit/Transparency.h"

#include <QPainter>
#include <qdrawutil.h>

namespace {

// How far the glyph moves down and right while the button is pressed, as the bevel sinks.
constexpr int pressedShift = 1;

} // namespace

SpeedButton::SpeedButton(QWidget* parent, const QString& name, QRect rect)
    : QAbstractButton(parent) {
    setObjectName(name);
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(rect);
}

void SpeedButton::setGlyph(const QImage& glyph) {
    setIconSize(glyph.size());
    setIcon(QIcon(QPixmap::fromImage(transparency::withoutGround(glyph))));
}

QSize SpeedButton::sizeHint() const {
    return size();
}

void SpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    painter.fillRect(rect(), palette().button());
    if (isChecked() && !isDown()) // a button held down by its group shows a dithered face
        painter.fillRect(rect(), QBrush(palette().color(QPalette::Light), Qt::Dense4Pattern));
    qDrawWinButton(&painter, rect(), palette(), sunken, nullptr);

    const QPixmap glyph = icon().pixmap(iconSize());
    if (glyph.isNull())
        return;
    QRect place(QPoint(), iconSize());
    place.moveCenter(rect().center());
    if (sunken)
        place.translate(pressedShift, pressedShift);
    painter.drawPixmap(place.topLeft(), glyph);
}
