// SpeedButton: a sunken bevel while pressed, the glyph nudged by a pixel, its ground left out.
#include "screens/SpeedButton.h"

#include "toolkit/Transparency.h"

#include <QPainter>
#include <qdrawutil.h>

#include <cmath>

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
    glyph_ = transparency::withoutGround(glyph);
    rendered_ = render();
    update();
}

QSize SpeedButton::sizeHint() const {
    return size();
}

QImage SpeedButton::render() const {
    const qreal ratio = devicePixelRatioF();
    if (glyph_.isNull() || ratio == 1)
        return glyph_;
    // With more device pixels than points the glyph is resampled smoothly to the device size,
    // its ground already gone so that the ink's edges blend into the face.
    QImage image = glyph_.scaled(int(std::lround(glyph_.width() * ratio)),
                                 int(std::lround(glyph_.height() * ratio)), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    return image;
}

void SpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    painter.fillRect(rect(), palette().button());
    if (isChecked() && !isDown()) // a button held down by its group shows a dithered face
        painter.fillRect(rect(), QBrush(palette().color(QPalette::Light), Qt::Dense4Pattern));
    qDrawWinButton(&painter, rect(), palette(), sunken, nullptr);

    if (glyph_.isNull())
        return;
    if (rendered_.devicePixelRatio() != devicePixelRatioF())
        rendered_ = render(); // the window moved to a screen of another scale
    QRect place(QPoint(), glyph_.size());
    place.moveCenter(rect().center());
    if (sunken)
        place.translate(pressedShift, pressedShift);
    painter.drawImage(place.topLeft(), rendered_);
}
