// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Hand-lettered words: brush-script text fitted into given boxes on a flat ground.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

namespace art {

struct LetteredLine {
    QString text;
    QRect box; // inclusive pixel box that holds every inked pixel of the line
    QColor ink;
};

// A picture of the given size filled with the ground colour, each line scaled to fill its box.
QImage letterWords(QSize size, const QColor& ground, const QList<LetteredLine>& lines);

} // namespace art
