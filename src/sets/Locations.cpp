// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Folders found from the program's own place, so a build tree and an install both work; the
// installed set's place relative to the programs is fixed when the build is configured.
#include "sets/Locations.h"

#include "assets/Catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#ifndef MIRABOSC_SET_FROM_BIN
#error "src/sets/CMakeLists.txt says where the installed set is"
#endif

namespace locations {

namespace {

const QString buildTreeSet = QStringLiteral("assets");
const QString setName = QStringLiteral("mirabosc");

bool holdsVoices(const QString& folder) {
    return QFileInfo::exists(folder + QLatin1Char('/') +
                             catalogue::toNativeRelative(catalogue::cardSound(1)));
}

} // namespace

QString installedDefaultSet() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {programDir.filePath(buildTreeSet),
                                     programDir.filePath(QStringLiteral(MIRABOSC_SET_FROM_BIN))})
        if (holdsVoices(candidate))
            return QDir::cleanPath(candidate);
    return {};
}

QString userSet() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QLatin1Char('/') + setName);
}

QString classSet() {
    const QStringList dirs = qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'));
    const auto first = std::find_if(dirs.begin(), dirs.end(),
                                    [](const QString& dir) { return QDir::isAbsolutePath(dir); });
    const QString dataDir = first == dirs.end() ? QStringLiteral("/usr/local/share") : *first;
    return QDir::cleanPath(dataDir + QLatin1Char('/') + setName);
}

QString baseSet() {
    const QString installed = installedDefaultSet();
    const QString shared = classSet();
    return !installed.isEmpty() && isComplete(shared, installed) ? shared : installed;
}

bool isComplete(const QString& set, const QString& defaultSet) {
    for (const char* folder : catalogue::assetFolders) {
        const QDir defaults(defaultSet + QLatin1Char('/') + QLatin1String(folder));
        const QDir own(set + QLatin1Char('/') + QLatin1String(folder));
        if (!own.exists())
            return false;
        for (const QString& file : defaults.entryList(QDir::Files))
            if (!QFileInfo::exists(own.filePath(file)))
                return false;
    }
    return true;
}

QString gameFolder() {
    const QString installed = installedDefaultSet();
    if (installed.isEmpty()) // named all the same, for the message that it is missing
        return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                                   .absoluteFilePath(QStringLiteral(MIRABOSC_SET_FROM_BIN)));
    for (const QString& set : {userSet(), classSet()})
        if (isComplete(set, installed))
            return set;
    return installed;
}

} // namespace locations
