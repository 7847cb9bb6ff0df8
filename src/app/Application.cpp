// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Application: title from the program file, the program icon, and the guarded event delivery.
#include "app/Application.h"

#include "app/ApplicationTitle.h"
#include "pictures/PictureLoader.h"
#include "toolkit/Guard.h"

#include <QIcon>
#include <QPixmap>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(applicationTitle(QString::fromLocal8Bit(argc > 0 ? argv[0] : "")));
    guard::run([] {
        setWindowIcon(QIcon(
            QPixmap::fromImage(pictures::loadEmbedded(QStringLiteral(":/art/mainicon.bmp")))));
    });
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    guard::run([&] { result = QApplication::notify(receiver, event); });
    return result;
}
