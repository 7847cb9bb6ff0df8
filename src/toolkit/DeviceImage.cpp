// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one resampling of pictures for the display, shared by image controls and picture buttons.
#include "toolkit/DeviceImage.h"

#include <cmath>

namespace deviceimage {

QImage render(const QImage& picture, QSize drawn, qreal ratio) {
    if (picture.isNull())
        return picture;
    if (ratio == 1)
        return drawn == picture.size()
                   ? picture
                   : picture.scaled(drawn, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QSize device(int(std::lround(drawn.width() * ratio)),
                       int(std::lround(drawn.height() * ratio)));
    QImage image = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace deviceimage
