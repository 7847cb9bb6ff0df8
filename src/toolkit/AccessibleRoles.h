// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What screen readers are told our own controls are: a picture that acts is a button, one that
// only shows is an image, a screen is a window.
#pragma once

namespace accessibleroles {

// Installs the roles once for the whole run; called by the controls themselves as they are made.
void install();

} // namespace accessibleroles
