// The generator draws and speaks the set-making core's content model with the core's painters.
#pragma once

#include "voices/Content.h"
#include "voices/ContentReader.h"

namespace drawing {}

namespace assetgen {
using namespace content;
using namespace drawing;
} // namespace assetgen
