// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The scaled copy is made once per size, not on every paint.
#include "workshop/PictureView.h"

#include <QPainter>

namespace {

// Room enough to tell the picture on an 800x600 screen.
constexpr QSize smallestSize(160, 112);

} // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void PictureView::setPicture(const QPixmap& picture) {
    picture_ = picture;
    scaled_ = {};
    updateGeometry();
    update();
}

QSize PictureView::sizeHint() const {
    if (picture_.isNull())
        return preferredSize;
    QSize size = picture_.size();
    if (size.width() > preferredSize.width() || size.height() > preferredSize.height())
        size.scale(preferredSize, Qt::KeepAspectRatio);
    return size;
}

QSize PictureView::minimumSizeHint() const {
    return smallestSize;
}

void PictureView::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QSize room = picture_.size();
    if (room.width() > width() || room.height() > height())
        room.scale(size(), Qt::KeepAspectRatio);
    if (room.isEmpty())
        return;
    if (scaled_.size() != room)
        scaled_ = room == picture_.size()
                      ? picture_
                      : picture_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(this);
    painter.drawPixmap((width() - scaled_.width()) / 2, (height() - scaled_.height()) / 2, scaled_);
}
