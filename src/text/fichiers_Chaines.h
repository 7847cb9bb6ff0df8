// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// String utilities: reading numbers out of control names.
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

// The n-th run of ASCII digits in text (counted from 1), signed when a '-' stands just before
// it, or def when there is no such run. Throws EConvertError when the run does not fit 32 bits.
int32_t ExtraireNombre(std::string_view text, int32_t n, int32_t def);
// Control names are Windows-1252 text; characters outside Latin-1 are never digits.
int32_t ExtraireNombre(const QString& text, int32_t n, int32_t def);
