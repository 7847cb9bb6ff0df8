// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One PNG showing a sample of the default asset set: miniatures, cards and album pages.
#pragma once

#include "Content.h"

#include <QImage>

namespace assetgen {

class ContactSheet {
public:
    static QImage render(const Content& content);
};

} // namespace assetgen
