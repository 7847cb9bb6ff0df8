// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's push buttons: named for the tests, and pressed by Return when they have the focus.
#pragma once

#include <QString>

class QPushButton;
class QWidget;

QPushButton* namedButton(const QString& text, const QString& name, QWidget* parent);
