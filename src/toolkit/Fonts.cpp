// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The screens' font: DejaVu Sans where present, else the platform's sans-serif.
#include "toolkit/Fonts.h"

namespace fonts {

QFont sans(int pixelHeight) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace fonts
