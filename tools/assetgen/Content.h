// The generator draws and speaks the set-making core's content model.
#pragma once

#include "voices/Content.h"
#include "voices/ContentReader.h"

namespace assetgen {
using namespace content;
} // namespace assetgen
