// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The generator draws and speaks the set-making core's content model with the core's painters.
#pragma once

#include "assets/Content.h"
#include "assets/ContentReader.h"

namespace drawing {}
namespace speech {}

namespace assetgen {
using namespace content;
using namespace drawing;
using namespace speech;
} // namespace assetgen
