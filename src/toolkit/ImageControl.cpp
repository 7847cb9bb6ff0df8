// ImageControl: drawing rules, transparency by the bottom-left pixel, and pointer handling.
#include "toolkit/ImageControl.h"

#include "toolkit/Geometry.h"
#include "toolkit/PictureLoader.h"
#include "toolkit/Transparency.h"

#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget* parent, const QString& name, QRect rect) : QWidget(parent)
{
    setObjectName(name);
    setGeometry(rect);
    setMouseTracking(true);
}

void ImageControl::setProportional(bool on)
{
    proportional_ = on;
    rebuild();
}

void ImageControl::setTransparent(bool on)
{
    transparent_ = on;
    rebuild();
}

void ImageControl::loadFromFile(const QString& relativePath)
{
    setPicture(pictures::loadPicture(relativePath)); // throws before anything changes
}

void ImageControl::setPicture(const QImage& picture)
{
    picture_ = picture;
    rebuild();
}

QRect ImageControl::drawnRect() const
{
    return {QPoint(0, 0), geometry::drawnSize(picture_.size(), size(), proportional_)};
}

void ImageControl::rebuild()
{
    if (picture_.isNull()) {
        rendered_ = QImage();
        update();
        return;
    }
    const QSize drawn = drawnRect().size();
    // Scaling takes whole pixels, dropping rows and columns, without smoothing.
    QImage image = drawn == picture_.size()
                       ? picture_
                       : picture_.scaled(drawn, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (transparent_)
        image = transparency::withoutColour(image, transparency::groundColour(picture_));
    rendered_ = image;
    update();
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (rendered_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, rendered_);
}

void ImageControl::resizeEvent(QResizeEvent*)
{
    if (proportional_)
        rebuild();
}

// Every movement is accepted: an ignored one would reach the parent panel's handler.
void ImageControl::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseMoved(this);
}

void ImageControl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (rect().contains(event->position().toPoint()))
        emit clicked(this);
}
