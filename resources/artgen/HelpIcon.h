// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu's help icon and the author's monogram shown on its credits panel.
#pragma once

#include <QImage>

namespace art {

QImage drawHelpIcon();
QImage drawLogo();

} // namespace art
