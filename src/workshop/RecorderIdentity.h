// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// How the desktop knows the recorder: its name, which makes its WM class, its entry and its icon.
#pragma once

#include <QString>

namespace recorderidentity {

// The WM class's class part and the desktop entry's StartupWMClass.
inline const QString applicationName = QStringLiteral("mirabosc-record");
// The desktop entry's file name without ".desktop"; Wayland's application id.
inline const QString desktopFileName = QStringLiteral("org.mirabosc.Mirabosc.Record");
inline const QString title = QStringLiteral("Lo talhièr de Mirabosc");

// Names the running application; with a QGuiApplication, also gives it the program's icon and
// Qt's dialogs in the user's language.
void apply();

} // namespace recorderidentity
