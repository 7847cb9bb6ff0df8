// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// ImageControl: drawing rules, transparency by the bottom-left pixel, and pointer handling.
#include "toolkit/ImageControl.h"

#include "pictures/PictureLoader.h"
#include "toolkit/AccessibleRoles.h"
#include "toolkit/DeviceImage.h"
#include "toolkit/FocusFrame.h"
#include "toolkit/Geometry.h"
#include "toolkit/Transparency.h"

#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget* parent, const QString& name, QRect rect) : QWidget(parent) {
    setObjectName(name);
    setGeometry(rect);
    setMouseTracking(true);
    accessibleroles::install();
}

void ImageControl::setProportional(bool on) {
    proportional_ = on;
    rebuild();
}

void ImageControl::setTransparent(bool on) {
    transparent_ = on;
    rebuild();
}

void ImageControl::setReachable(bool on) {
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
    setAttribute(Qt::WA_AcceptTouchEvents, on);
}

void ImageControl::holdKeys(std::chrono::milliseconds hold) {
    keysFrom_ = std::chrono::steady_clock::now() + hold;
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
    markOpaque();
    update();
}

// A picture without transparency that covers the whole control hides what lies under it: Qt
// then paints nothing beneath, which halves the cost of showing a large card.
void ImageControl::markOpaque() {
    const QSizeF covered = rendered_.deviceIndependentSize();
    setAttribute(Qt::WA_OpaquePaintEvent, !rendered_.isNull() && !rendered_.hasAlphaChannel() &&
                                              covered.width() >= width() &&
                                              covered.height() >= height());
}

QImage ImageControl::render() const {
    const QImage shown = transparent_ ? transparency::withoutGround(picture_) : picture_;
    return deviceimage::render(shown, drawnRect().size(), devicePixelRatioF());
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (!picture_.isNull() && rendered_.devicePixelRatio() != devicePixelRatioF())
        rendered_ = render(); // the window moved to a screen of another scale
    QPainter painter(this);
    if (!rendered_.isNull())
        painter.drawImage(0, 0, rendered_);
    if (hasFocus())
        focusframe::paint(painter, rect());
}

void ImageControl::resizeEvent(QResizeEvent*) {
    if (proportional_)
        rebuild();
    else
        markOpaque();
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

bool ImageControl::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return touchEvent(static_cast<QTouchEvent*>(event));
    default:
        return QWidget::event(event);
    }
}

// A tap is the pointer's arrival and a click in one: the touch arrives, its release inside clicks.
bool ImageControl::touchEvent(QTouchEvent* event) {
    event->accept();
    if (event->type() == QEvent::TouchBegin) {
        pressed_ = true;
        emit arrived(this);
    } else if (event->type() == QEvent::TouchEnd && pressed_) {
        pressed_ = false;
        const auto& points = event->points();
        if (!points.isEmpty() && rect().contains(points.constFirst().position().toPoint()))
            emit clicked(this);
    } else if (event->type() == QEvent::TouchCancel) {
        pressed_ = false;
    }
    return true;
}

void ImageControl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat() && !keysHeld())
            emit clicked(this);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusSibling(true);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusSibling(false);
        break;
    default:
        event->ignore(); // Escape and the screen's own keys go on to the window
        return;
    }
    event->accept();
}

void ImageControl::focusSibling(bool next) {
    QList<ImageControl*> reachable;
    for (ImageControl* sibling :
         parentWidget()->findChildren<ImageControl*>(Qt::FindDirectChildrenOnly))
        if (sibling == this ||
            (sibling->focusPolicy() & Qt::TabFocus && sibling->isVisible() && sibling->isEnabled()))
            reachable.append(sibling);
    const qsizetype count = reachable.size();
    const qsizetype here = reachable.indexOf(this);
    reachable.at((here + (next ? 1 : count - 1)) % count)
        ->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

// Only a move by the keyboard is an arrival: the focus coming back with its window is not.
void ImageControl::focusInEvent(QFocusEvent* event) {
    update();
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        emit arrived(this);
}

void ImageControl::focusOutEvent(QFocusEvent*) {
    update();
}
