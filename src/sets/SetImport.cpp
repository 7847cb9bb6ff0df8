// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The new set is written into a hidden sibling of the target, so that the swap is a rename
// within one folder; the previous set stays beside it, for the teacher to go back to.
#include "sets/SetImport.h"

#include "assets/ContentReader.h"
#include "base/Errors.h"
#include "base/SystemErrors.h"
#include "sets/FolderLock.h"
#include "sets/SafeWrite.h"
#include "sets/SetArchive.h"
#include "sets/SetFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

namespace setimport {

namespace {

SetRefused swapError(const QString& path) {
    return SetRefused(QStringLiteral("Impossible de metre lo jòc a %1 : %2")
                          .arg(path, systemerrors::describe(errno)));
}

// The texts are read by the one parser of data/ before they are kept.
void checkTexts(const std::vector<setarchive::Entry>& entries) {
    for (const setarchive::Entry& entry : entries) {
        if (!entry.name.startsWith(setarchive::textsFolder + QLatin1Char('/')))
            continue;
        const QString text = QString::fromUtf8(entry.bytes);
        if (text.toUtf8() != entry.bytes)
            throw SetRefused(QStringLiteral("%1 es pas en UTF-8").arg(entry.name));
        if (entry.name.endsWith(QLatin1String("familles.txt")))
            content::ContentReader::parseFamilies(text, entry.name);
        else
            content::ContentReader::parsePages(text, entry.name);
    }
}

} // namespace

void install(const QString& archive, const QString& target, const QString& installed,
             const Check& check) {
    const std::vector<setarchive::Entry> entries = setarchive::read(archive, installed);
    checkTexts(entries);
    const QString absoluteTarget = QDir::cleanPath(QDir(target).absolutePath());
    const QFileInfo targetInfo(absoluteTarget);
    const QString canonicalInstalled = QFileInfo(installed).canonicalFilePath();
    const QString canonicalTarget =
        targetInfo.exists() ? targetInfo.canonicalFilePath() : absoluteTarget;
    if (canonicalTarget == canonicalInstalled ||
        canonicalTarget.startsWith(canonicalInstalled + QLatin1Char('/')))
        throw SetRefused(
            QStringLiteral("%1 es lo jòc installat, que cambia pas").arg(absoluteTarget));
    if (targetInfo.exists() && !targetInfo.isDir())
        throw SetRefused(QStringLiteral("%1 es pas un dorsièr").arg(absoluteTarget));
    // A set reached through a link is replaced where it is; the link stays.
    const QFileInfo place(canonicalTarget);
    if (!QDir().mkpath(place.absolutePath()))
        throw swapError(place.absolutePath());
    QTemporaryDir staging(place.absolutePath() + QStringLiteral("/.") + place.fileName() +
                          QStringLiteral(".import-XXXXXX"));
    // A class set is read by every account; the temporary folder is made for its owner only.
    if (!staging.isValid() ||
        !QFile::setPermissions(staging.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ReadGroup |
                                                   QFile::ExeGroup | QFile::ReadOther |
                                                   QFile::ExeOther))
        throw swapError(place.absolutePath());
    // Each file synced, each folder once at the end, before the set can be swapped in.
    QStringList folders;
    for (const setarchive::Entry& entry : entries) {
        const QString path = staging.filePath(entry.name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw swapError(path);
        safewrite::publish(safewrite::writeAside(path, entry.bytes), path, false);
        if (!folders.contains(QFileInfo(path).absolutePath()))
            folders << QFileInfo(path).absolutePath();
    }
    for (const QString& folder : folders)
        safewrite::syncFolderOf(folder + QStringLiteral("/."));
    SetFolder(staging.path(), installed).fillFromDefaultSet();
    QFile::remove(staging.filePath(FolderLock::fileName()));
    if (const QString problems = check(staging.path()); !problems.isEmpty())
        throw SetRefused(QStringLiteral("Lo jòc %1 es refusat :\n%2").arg(archive, problems));

    const QByteArray staged = QFile::encodeName(staging.path());
    const QByteArray placed = QFile::encodeName(canonicalTarget);
    if (!targetInfo.exists()) {
        if (::rename(staged.constData(), placed.constData()) != 0)
            throw swapError(absoluteTarget);
    } else {
        // The writers of the old set wait while it is swapped; the old set ends up in staging.
        const FolderLock lock(canonicalTarget);
        if (::renameat2(AT_FDCWD, staged.constData(), AT_FDCWD, placed.constData(),
                        RENAME_EXCHANGE) != 0)
            throw swapError(absoluteTarget);
        staging.setAutoRemove(false);
        const QString previous = canonicalTarget + previousSuffix;
        // A link there is removed itself, never what it leads to.
        if (QFileInfo(previous).isSymLink() || !QFileInfo(previous).isDir())
            QFile::remove(previous);
        else
            QDir(previous).removeRecursively();
        if (::rename(staged.constData(), QFile::encodeName(previous).constData()) != 0)
            throw swapError(previous);
    }
    staging.setAutoRemove(false);
    safewrite::syncFolderOf(canonicalTarget);
}

} // namespace setimport
