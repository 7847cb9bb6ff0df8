// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The sizes at which the screens show each kind of asset picture, shared with the asset checker.
#pragma once

#include <QSize>

namespace displaysize {

constexpr QSize albumPage{800, 527};
constexpr QSize miniature{158, 217};
constexpr QSize smallCard{100, 138};
// The large cards and the blank card.
constexpr QSize largeCard{424, 576};

} // namespace displaysize
