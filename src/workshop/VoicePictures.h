// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures the recorder shows with each voice, read from the set being recorded.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

class SetFolder;

namespace voicepictures {

// The picture the child sees with a voice: the miniature for a family's name, else the card or
// the album page.
QString pictureOf(const QString& voiceName);
// The small picture of a voice's row in the list.
QString rowPictureOf(const QString& voiceName);
// The picture from the folder, or from the installed set when the folder has none of its own,
// scaled down to fit box, never up; empty when it cannot be read.
QPixmap load(const SetFolder& folder, const QString& picture, QSize box);

} // namespace voicepictures
