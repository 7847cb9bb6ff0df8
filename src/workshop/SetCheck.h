// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The checker's rules asked of a whole set before it is put in place.
#pragma once

#include <QString>

namespace setcheck {

// The problems mirabosc-check would report for the folder, one per line; empty when none.
QString problems(const QString& folder);

} // namespace setcheck
