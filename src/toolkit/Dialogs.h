// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's message boxes: the top-level error box and the standard message dialogs.
#pragma once

#include <QString>

namespace dialogs {

enum class Kind { Error, Information };

// The text as the error box shows it: a full stop is added unless the text is empty or already
// ends in a character whose code is at most that of '.'.
QString withFullStop(const QString& message);

// The error box: the application title as caption, the stop icon and one "OK". Modal; returns
// once it is closed. Cancels any mouse grab first.
void showErrorBox(const QString& message);

// A standard message dialog titled "Erreur" or "Information", with a single "OK" that is both
// the default and the cancel button.
void messageDlg(const QString& text, Kind kind);

} // namespace dialogs
