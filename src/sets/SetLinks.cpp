// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Links are made aside and renamed in place, so a file of the set is whole at every moment.
#include "sets/SetLinks.h"

#include "assets/Catalogue.h"
#include "assets/TextLayers.h"
#include "assets/TextsReader.h"
#include "base/Errors.h"
#include "sets/FileOrigins.h"
#include "sets/SafeWrite.h"
#include "sets/SetTexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <algorithm>
#include <climits>
#include <functional>
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

// A new link appears whole by itself; one that replaces a file (present) is made aside first.
void pointLink(const QString& path, const QString& target, bool present) {
    if (present ||
        ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) != 0)
        safewrite::publish(safewrite::linkAside(path, target), path, false);
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
        struct stat status = {};
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
        pointLink(path, target, present);
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

void SetLinks::linkBaseTexts() {
    const QString link = safewrite::ensureFolder(root_, catalogue::textsFolder) + QLatin1Char('/') +
                         content::TextLayers::baseLink;
    // The installed set's texts are the program's own: a set based on it has no link.
    const QString texts = base_ + QLatin1Char('/') + catalogue::textsFolder;
    const QString target = QFileInfo(texts).isDir() ? texts : QString();
    struct stat status = {};
    const bool present = ::lstat(QFile::encodeName(link).constData(), &status) == 0;
    if (present && !S_ISLNK(status.st_mode))
        throw SetRefused(QStringLiteral("%1 es pas un ligam : Mirabosc i pòt pas legir los mots "
                                        "del jòc de basa")
                             .arg(link));
    if (present && linkTarget(link) == target)
        return;
    if (target.isEmpty())
        QFile::remove(link);
    else
        pointLink(link, target, present);
    safewrite::syncFolderOf(link);
}

void SetLinks::keepOwnRows() {
    // A row the class changed has pictures of its own: composed again with its word.
    const auto linked = [this](const QStringList& pictures) {
        return std::all_of(pictures.begin(), pictures.end(), [this](const QString& picture) {
            return QFileInfo(root_ + QLatin1Char('/') + catalogue::slashed(picture)).isSymLink();
        });
    };
    try {
        SetTexts own = SetTexts::load(root_);
        bool changed = false;
        for (int family = 1; family <= catalogue::familyCount; ++family) {
            // A family's name is on its large cards too, but only a change of the name composes
            // its miniature again: a large card composed for its own word keeps the name it had.
            const int title = catalogue::titleNumber(family);
            if (own.hasOwnWord(title) &&
                linked({catalogue::miniature(catalogue::cardNumber(family, 1))})) {
                own.dropWord(title);
                changed = true;
            }
            for (const int card : catalogue::familyCards(family))
                if (own.hasOwnWord(card) &&
                    linked({catalogue::largeCard(card), catalogue::smallCard(card)})) {
                    own.dropWord(card);
                    changed = true;
                }
        }
        for (int page = 1; page <= catalogue::albumPageCount; ++page)
            if (own.hasOwnPage(page) && linked({catalogue::albumPicture(page)})) {
                own.dropPage(page);
                changed = true;
            }
        if (changed)
            own.save(root_);
    } catch (const Exception&) {
        // texts that cannot be read stay as they are, for the checker to name
    }
}
