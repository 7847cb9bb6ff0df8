// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts of the artwork, refused outright when the system would substitute another family.
#pragma once

#include <QFont>
#include <QString>

namespace art {

inline const QString scriptFamily = QStringLiteral("Kaushan Script");
inline const QString sansFamily = QStringLiteral("DejaVu Sans");

// The named family at a reference pixel size; throws std::runtime_error if it is not installed,
// so that a missing font package fails the build instead of changing the pictures.
QFont requireFont(const QString& family, int pixelSize, bool bold = false);

} // namespace art
