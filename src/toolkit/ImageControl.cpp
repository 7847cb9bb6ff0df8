// ImageControl: drawing rules, transparency by the bottom-left pixel, and pointer handling.
#include "toolkit/ImageControl.h"

#include "toolkit/Geometry.h"
#include "toolkit/PictureLoader.h"
#include "toolkit/Transparency.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

ImageControl::ImageControl(QWidget* parent, const QString& name, QRect rect) : QWidget(parent) {
    setObjectName(name);
    setGeometry(rect);
    setMouseTracking(true);
}

void ImageControl::setProportional(bool on) {
    proportional_ = on;
    rebuild();
}

void ImageControl::setTransparent(bool on) {
    transparent_ = on;
    rebuild();
}

void ImageControl::loadFromFile(const QString& relativePath) {
    setPicture(pictures::loadPicture(relativePath)); // throws before anything changes
}

void ImageControl::setPicture(const QImage& picture) {
    picture_ = picture;
    rebuild();
}

QRect ImageControl::drawnRect() const {
    return {QPoint(0, 0), geometry::drawnSize(picture_.size(), size(), proportional_)};
}

void ImageControl::rebuild() {
    rendered_ = render();
    update();
}

QImage ImageControl::render() const {
    if (picture_.isNull())
        return {};
    const QSize drawn = drawnRect().size();
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1) {
        // Scaling takes whole pixels, dropping rows and columns, without smoothing.
        QImage image = drawn == picture_.size()
                           ? picture_
                           : picture_.scaled(drawn, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (transparent_)
            image = transparency::withoutColour(image, transparency::groundColour(picture_));
        return image;
    }
    // With more device pixels than points the picture is resampled smoothly to the device
    // size, not pixel-doubled; the ground goes first so that edges blend into what lies beneath.
    QImage image = transparent_
                       ? transparency::withoutColour(picture_, transparency::groundColour(picture_))
                       : picture_;
    const QSize device(int(std::lround(drawn.width() * ratio)),
                       int(std::lround(drawn.height() * ratio)));
    image = image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    return image;
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (!picture_.isNull() && rendered_.devicePixelRatio() != devicePixelRatioF())
        rendered_ = render(); // the window moved to a screen of another scale
    if (rendered_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, rendered_);
}

void ImageControl::resizeEvent(QResizeEvent*) {
    if (proportional_)
        rebuild();
}

// Every movement is accepted: an ignored one would reach the parent panel's handler.
void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved(this);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (rect().contains(event->position().toPoint()))
        emit clicked(this);
}
