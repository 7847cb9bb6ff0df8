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
// Keeps the picture (as read, already at the size it needs) for the row; throws SetRefused.
void keep(const QString& set, const QString& voiceName, const PictureArt& art,
          PictureArt::Placement placement);
// The row's kept picture, if it has one that can be read.
std::optional<Stored> find(const QString& set, const QString& voiceName);

} // namespace storedart
