// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a set agrees with itself: the words its texts give, the pictures and voices it holds or
// reads from the set it is based on, and the marks of where each file came from.
#pragma once

#include "check/AssetCheck.h"

#include <vector>

namespace assetcheck {

// For the set in the current directory: each picture or voice read from another set (a link)
// whose word there is not the word this set's texts give, and each mark on a file the set does
// not hold. Empty when everything agrees.
std::vector<Finding> disagreements();

} // namespace assetcheck
