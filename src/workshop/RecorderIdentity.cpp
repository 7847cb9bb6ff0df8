// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder shows the game's own icon: the same picture, embedded in the core library.
#include "workshop/RecorderIdentity.h"

#include "base/Errors.h"
#include "pictures/PictureLoader.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

namespace recorderidentity {

void apply() {
    QCoreApplication::setApplicationName(applicationName);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    QGuiApplication::setDesktopFileName(desktopFileName);
    QGuiApplication::setApplicationDisplayName(title);
    try {
        QGuiApplication::setWindowIcon(QIcon(
            QPixmap::fromImage(pictures::loadEmbedded(QStringLiteral(":/art/mainicon.bmp")))));
    } catch (const Exception&) {
        // A window without its icon still records.
    }
}

} // namespace recorderidentity
