// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Links are made aside and renamed in place, so a file of the set is whole at every moment.
#include "sets/SetLinks.h"

#include "assets/Catalogue.h"
#include "sets/FileOrigins.h"
#include "sets/SafeWrite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString olderSyntheticMark = QStringLiteral(" | sintetica");

QString linkTarget(const QString& path) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
    return length < 0 ? QString() : QFile::decodeName(QByteArray(target, length));
}

bool sameBytes(const QString& one, const QString& other) {
    QFile a(one), b(other);
    return a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.size() == b.size() &&
           a.readAll() == b.readAll();
}

// The voices earlier versions installed, by name: a copy of one is a default, not the user's.
bool isEarlierDefault(const QString& name, const QString& path) {
    static const QMultiHash<QString, QByteArray> earlier = [] {
        QMultiHash<QString, QByteArray> hashes;
        QFile list(QStringLiteral(":/voices/earlier-defaults.txt"));
        if (list.open(QIODevice::ReadOnly))
            for (const QByteArray& line : list.readAll().split('\n'))
                if (const QList<QByteArray> fields = line.simplified().split(' ');
                    fields.size() == 2 && !line.startsWith('#'))
                    hashes.insert(QString::fromUtf8(fields[1]), QByteArray::fromHex(fields[0]));
        return hashes;
    }();
    if (!earlier.contains(name))
        return false;
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) &&
           earlier.values(name).contains(hash.result());
}

} // namespace

int SetLinks::linkFolder(const QString& folder, bool convert) {
    const QString dir = safewrite::ensureFolder(root_, folder);
    const QDir here(dir);
    clearTemporaries(folder);
    int made = 0;
    const QDir defaults(base_ + QLatin1Char('/') + folder);
    // A copy equal to a class set's own file is the class's too (it was exported from here).
    const FileOrigins baseOrigins = FileOrigins::load(base_);
    for (const QString& file : defaults.entryList(QDir::Files)) {
        const QString path = here.filePath(file);
        const QString target = defaults.filePath(file);
        struct stat status {};
        const bool present = ::lstat(QFile::encodeName(path).constData(), &status) == 0;
        const bool replaceable =
            !present || (S_ISLNK(status.st_mode) && !QFileInfo::exists(path)) ||
            // a link to another base set (the class set came or went)
            (S_ISLNK(status.st_mode) && linkTarget(path) != target) ||
            (convert && S_ISREG(status.st_mode) &&
             !baseOrigins.contains(folder + QLatin1Char('/') + file) &&
             (sameBytes(path, target) || isEarlierDefault(folder + QLatin1Char('/') + file, path)));
        if (!replaceable)
            continue;
        // A new link appears whole by itself; one that replaces a file is made aside first.
        if (present || ::symlink(QFile::encodeName(target).constData(),
                                 QFile::encodeName(path).constData()) != 0)
            safewrite::publish(safewrite::linkAside(path, target), path, false);
        ++made;
    }
    if (made > 0)
        safewrite::syncFolderOf(here.filePath(QStringLiteral(".")));
    return made;
}

void SetLinks::recordOlderOrigins(const std::function<bool(const QString&)>& isDefault) {
    // Version 1.0 marked the voices it spoke again from a changed word in the texts' marks.
    QFile marks(root_ + QLatin1Char('/') + catalogue::textName(catalogue::voiceMarksText));
    const QString older =
        marks.open(QIODevice::ReadOnly) ? QString::fromUtf8(marks.readAll()) : QString();
    FileOrigins origins;
    for (const char* folder : catalogue::assetFolders)
        for (const QString& file :
             QDir(root_ + QLatin1Char('/') + QLatin1String(folder)).entryList(QDir::Files)) {
            const QString name = QLatin1String(folder) + QLatin1Char('/') + file;
            if (isDefault(name) || safewrite::isTemporary(file))
                continue;
            origins.set(name, !name.endsWith(QLatin1String(".mp3")) ? FileOrigins::Origin::Drawn
                              : older.contains(name + olderSyntheticMark)
                                  ? FileOrigins::Origin::Revoiced
                                  : FileOrigins::Origin::Recorded);
        }
    origins.save(root_);
}

void SetLinks::clearTemporaries(const QString& folder) {
    const QDir here(root_ + QLatin1Char('/') + folder);
    for (const QString& entry : here.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (safewrite::isTemporary(entry))
            QFile::remove(here.filePath(entry));
}
