// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of one row of a set (a card, a family's name, an album page) composed from a
// class's own picture in the set's house style, each at its display size.
#pragma once

#include "assets/Content.h"
#include "pictures/PictureArt.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace cardcomposer {

struct Made {
    QString name; // as "img_familles/12.bmp"
    QImage image;
};

// The pictures a row is shown by: a card's large and small card, a family's miniature, a page.
QStringList pictureNames(const QString& voiceName);
// The class's drawings of a family's cards, by card number, for the strip of its large cards.
using Gallery = std::map<int, PlacedArt>;
// The largest area the row's picture is shown in, for reading and keeping it at the right size:
// for a card, its picture on paper at 300 dpi (about 560 x 530).
QSize artSize(const QString& voiceName);
// A card's large and small card, a family name's miniature, or a page with its text. Throws
// SetRefused for a name that is no row of the set.
std::vector<Made> compose(const content::Content& content, const QString& voiceName,
                          const PictureArt& art, PictureArt::Placement placement,
                          const Gallery& gallery = {});
// The same pictures drawn as the default set draws them, with the pictograms of the texts.
std::vector<Made> composeDefault(const content::Content& content, const QString& voiceName,
                                 const Gallery& gallery = {});
// The picture as the game reads it: a 24-bit BMP.
QByteArray bmpBytes(const QImage& image);

} // namespace cardcomposer
