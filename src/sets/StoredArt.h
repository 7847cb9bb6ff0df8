// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The class's pictures kept in the set (under dessenhs/), so that a card whose word changes is
// composed again from its drawing.
#pragma once

#include "pictures/PictureArt.h"

#include <QString>
#include <optional>

namespace storedart {

inline const QString folder = QStringLiteral("dessenhs");

using Stored = PlacedArt;

// The name of a row's kept picture inside the folder ("sons_familles-12.fill.png").
QString fileName(const QString& voiceName, PictureArt::Placement placement);
// A name fileName() could give.
bool isStoredName(const QString& name);
// Keeps the picture (already bounded to the size it needs) for the row; throws SetRefused.
void keep(const QString& set, const QString& voiceName, const PictureArt& art,
          PictureArt::Placement placement);
// The row's kept picture, if it has one that can be read: the set's own, else the one of the set
// it is based on (base, when not empty).
std::optional<Stored> find(const QString& set, const QString& voiceName, const QString& base = {});
// A drawing as a set carries it: a whole PNG no larger than the workshop keeps. Throws
// SetRefused naming it.
void check(const QString& name, const QByteArray& bytes);

} // namespace storedart
