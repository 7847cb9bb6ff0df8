// The generator draws and speaks the set-making core's content model with the core's painters.
#pragma once

#include "voices/Content.h"
#include "voices/ContentReader.h"

namespace drawing {}
namespace speech {}

namespace assetgen {
using namespace content;
using namespace drawing;
using namespace speech;
} // namespace assetgen
