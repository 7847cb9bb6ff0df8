// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Font lookup for the artwork.
#include "ArtFonts.h"

#include <QFontInfo>
#include <stdexcept>

namespace art {

QFont requireFont(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QString found = QFontInfo(font).family();
    if (found.compare(family, Qt::CaseInsensitive) != 0) {
        throw std::runtime_error("font \"" + family.toStdString() + "\" not installed (got \"" +
                                 found.toStdString() + "\")");
    }
    return font;
}

} // namespace art
