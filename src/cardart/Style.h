// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the default asset set: picture sizes, fonts and the colours shared by all pictures.
#pragma once

#include <QColor>
#include <QSize>

namespace drawing::style {

// Picture sizes are the display sizes of the screens that show them (displaysize::).
// The album shows only the leftmost columns of its pictures.
constexpr int albumVisibleWidth = 752;

// A card on paper, and the resolution it is drawn for: the game's large card grown to the
// proportions of a playing card.
constexpr double paperCardWidthMm = 63;
constexpr double paperCardHeightMm = 88;
constexpr double printDpi = 300;
constexpr double mmPerInch = 25.4;

inline const char* const emojiFont = "Noto Color Emoji";
inline const char* const wordFont = "Comic Neue";
inline const char* const titleFont = "Kaushan Script";

// The white of the panels the pictures lie on, around the cards' rounded corners.
inline QColor panel() {
    return QColor(0xFF, 0xFF, 0xFF);
}
inline QColor cardFace() {
    return QColor(0xFF, 0xF8, 0xEA);
}
inline QColor ink() {
    return QColor(0x3B, 0x2A, 0x20);
}
inline QColor cardBack() {
    return QColor(0x2E, 0x3F, 0x8F);
}

} // namespace drawing::style
