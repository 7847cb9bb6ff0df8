// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Voice names map to picture names through the catalogue's numbering.
#include "workshop/VoicePictures.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "pictures/PictureLoader.h"
#include "sets/SetFolder.h"

#include <QFileInfo>

namespace voicepictures {

namespace {

int indexOf(const QString& voiceName) {
    return int(SetFolder::voiceNames().indexOf(voiceName));
}

} // namespace

QString pictureOf(const QString& voiceName) {
    const int index = indexOf(voiceName);
    if (index < 0)
        return {};
    if (index >= catalogue::lastCardNumber)
        return catalogue::albumPicture(index - catalogue::lastCardNumber + 1);
    const int number = index + 1;
    return catalogue::isTitleNumber(number) ? catalogue::miniature(number + 1)
                                            : catalogue::largeCard(number);
}

QString rowPictureOf(const QString& voiceName) {
    const int index = indexOf(voiceName);
    if (index < 0 || index >= catalogue::lastCardNumber || catalogue::isTitleNumber(index + 1))
        return pictureOf(voiceName);
    return catalogue::smallCard(index + 1);
}

QPixmap load(const SetFolder& folder, const QString& picture, QSize box) {
    if (picture.isEmpty())
        return {};
    const QString relative = QLatin1Char('/') + catalogue::toNativeRelative(picture);
    const QString own = folder.root() + relative;
    try {
        const QImage image =
            pictures::loadPicture(QFileInfo::exists(own) ? own : folder.defaultSet() + relative);
        // A miniature is shown at the size the game shows it.
        if (image.width() <= box.width() && image.height() <= box.height())
            return QPixmap::fromImage(image);
        return QPixmap::fromImage(image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } catch (const Exception&) {
        return {}; // a broken picture leaves the row without one; the voice is still recordable
    }
}

} // namespace voicepictures
