// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Picture loading: files named by catalogue paths, decoded by our own bitmap reader.
#pragma once

#include <QImage>
#include <QString>

namespace pictures {

// Loads a picture named by a relative catalogue path (backslash separators), resolved against
// the current directory. Throws EFOpenError, EInvalidGraphic or EReadError with the loader's
// French messages. A zero-byte file gives a null QImage.
QImage loadPicture(const QString& relativePath);

// Loads one of the pictures embedded in the program (a ":/..." resource path).
QImage loadEmbedded(const QString& resourcePath);
// The same, for building screens: a picture missing from the build is logged and left empty.
QImage embedded(const QString& resourcePath) noexcept;

} // namespace pictures
