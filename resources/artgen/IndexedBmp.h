// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Writer of 16-colour Windows bitmaps, which QImage can read but not write.
#pragma once

#include <QByteArray>
#include <QImage>

namespace art {

// Encodes an 8-bit indexed image whose colour table has at most 16 entries as a bottom-up,
// uncompressed bitmap of 4 bits per pixel. Throws std::invalid_argument otherwise.
QByteArray encodeBmp4(const QImage& indexed);

} // namespace art
