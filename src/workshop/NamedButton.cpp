// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A push button with its name, owned by its parent.
#include "workshop/NamedButton.h"

#include <QPushButton>

QPushButton* namedButton(const QString& text, const QString& name, QWidget* parent) {
    auto* created = new QPushButton(text, parent);
    created->setObjectName(name);
    // Return presses the button that has the focus, as in a dialog.
    created->setAutoDefault(true);
    return created;
}
