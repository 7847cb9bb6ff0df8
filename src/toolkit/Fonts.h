// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The plain sans-serif face that stands in for the screens' "MS Sans Serif".
#pragma once

#include <QFont>

namespace fonts {

// A plain sans-serif font whose characters are `pixelHeight` pixels high.
QFont sans(int pixelHeight);

} // namespace fonts
