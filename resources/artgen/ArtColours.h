// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The colours shared by several of the embedded pictures.
#pragma once

#include <QColor>

namespace art {

// Ground of the hand-lettered words and of the logo; the picture controls leave it undrawn.
inline const QColor peach{255, 228, 203};
inline const QColor wordBlue{0, 0, 255};
inline const QColor wordRed{255, 0, 0};
// Ground of the help icon and of the speaker glyphs.
inline const QColor black{0, 0, 0};
inline const QColor paper{255, 255, 255};

} // namespace art
