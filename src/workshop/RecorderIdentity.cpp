// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop shows the game's own icon (the same embedded picture) and Qt's dialogs translated.
#include "workshop/RecorderIdentity.h"

#include "base/Errors.h"
#include "pictures/PictureLoader.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>

namespace recorderidentity {

namespace {

// Qt's own dialogs (files, OK and Cancel) in Qt's best translation for the user's languages;
// Qt has none in Occitan, so French, the nearest one a teacher reads, stands in for it and for
// any language Qt lacks. English needs none.
void translateQtDialogs() {
    const QLocale locale;
    if (locale.language() == QLocale::English)
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if ((locale.language() != QLocale::Occitan &&
         translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) ||
        translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                         folder))
        QCoreApplication::installTranslator(translator);
}

} // namespace

void apply() {
    QCoreApplication::setApplicationName(applicationName);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    QGuiApplication::setDesktopFileName(desktopFileName);
    QGuiApplication::setApplicationDisplayName(title);
    translateQtDialogs();
    try {
        QGuiApplication::setWindowIcon(QIcon(
            QPixmap::fromImage(pictures::loadEmbedded(QStringLiteral(":/art/mainicon.bmp")))));
    } catch (const Exception&) {
        // A window without its icon still records.
    }
}

} // namespace recorderidentity
