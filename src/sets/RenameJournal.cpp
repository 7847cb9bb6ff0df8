// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One line a rename, "temporary<TAB>path", relative to the set's root; the list itself is written
// safely, so a list that exists is whole.
#include "sets/RenameJournal.h"

#include "sets/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

const QChar field = QLatin1Char('\t');

// A path of the list as it is on disk, or empty when it leads outside root, by name or through
// a link to a folder elsewhere.
QString inside(const QString& root, const QString& relative) {
    const QString path = QDir::cleanPath(root + QLatin1Char('/') + relative);
    const QString top = QFileInfo(root).canonicalFilePath();
    const QString folder = QFileInfo(path).dir().canonicalPath();
    return relative.isEmpty() || QDir::isAbsolutePath(relative) ||
                   relative.split(QLatin1Char('/')).contains(QStringLiteral("..")) ||
                   (folder != top && !folder.startsWith(top + QLatin1Char('/')))
               ? QString()
               : path;
}

void putInPlace(const QString& temporary, const QString& path, QSet<QString>& folders) {
    if (temporary.isEmpty())
        QFile::remove(path);
    else
        safewrite::publish(temporary, path, false);
    folders.insert(QFileInfo(path).absolutePath());
}

void syncAll(const QSet<QString>& folders) {
    for (const QString& folder : folders)
        safewrite::syncFolderOf(folder + QStringLiteral("/."));
}

} // namespace

const QString RenameJournal::fileName = QStringLiteral(".en-cors");

void RenameJournal::publishAll(const QString& root, const std::vector<Rename>& renames) {
    const QDir top(root);
    QString list;
    for (const Rename& rename : renames)
        list += (rename.temporary.isEmpty() ? QString() : top.relativeFilePath(rename.temporary)) +
                field + top.relativeFilePath(rename.path) + QLatin1Char('\n');
    try {
        safewrite::write(top.filePath(fileName), list.toUtf8());
    } catch (...) {
        for (const Rename& rename : renames)
            if (!rename.temporary.isEmpty())
                QFile::remove(rename.temporary);
        throw;
    }
    QSet<QString> folders;
    for (const Rename& rename : renames)
        putInPlace(rename.temporary, rename.path, folders);
    syncAll(folders);
    QFile::remove(top.filePath(fileName));
    safewrite::syncFolderOf(top.filePath(fileName));
}

int RenameJournal::finish(const QString& root) {
    // Only a plain file: a FIFO there would hold the start.
    QFile list(QDir(root).filePath(fileName));
    const QFileInfo info(list.fileName());
    if (info.isSymLink() || !info.isFile() || !list.open(QIODevice::ReadOnly))
        return 0;
    int done = 0;
    QSet<QString> folders;
    for (const QString& line : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'))) {
        const QString from = line.section(field, 0, 0);
        const QString path = inside(root, line.section(field, 1));
        const QString temporary = inside(root, from);
        if (path.isEmpty() || (!from.isEmpty() && temporary.isEmpty()))
            continue;
        if (from.isEmpty()) {
            putInPlace({}, path, folders);
        } else if (safewrite::isTemporary(QFileInfo(temporary).fileName()) &&
                   QFileInfo(temporary).dir() == QFileInfo(path).dir() &&
                   (QFileInfo::exists(temporary) || QFileInfo(temporary).isSymLink())) {
            putInPlace(temporary, path, folders);
            ++done;
        }
    }
    syncAll(folders);
    list.close();
    QFile::remove(list.fileName());
    safewrite::syncFolderOf(list.fileName());
    return done;
}
