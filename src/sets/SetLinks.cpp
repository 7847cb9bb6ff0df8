// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Links are made aside and renamed in place, so a file of the set is whole at every moment.
#include "sets/SetLinks.h"

#include "assets/Catalogue.h"
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
// The installed set's texts, embedded in the program, for a base that has none of its own.
const QString embeddedTexts = QStringLiteral(":/texts");

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

void SetLinks::followBaseTexts() {
    const auto texts = [](const QString& folder) {
        const QString own = folder + QLatin1Char('/') + catalogue::textsFolder;
        return QFileInfo::exists(own + QLatin1Char('/') + catalogue::familiesText) &&
                       QFileInfo::exists(own + QLatin1Char('/') + catalogue::albumText)
                   ? own
                   : QString();
    };
    if (texts(root_).isEmpty())
        return;
    const QString base = texts(base_).isEmpty() ? embeddedTexts : texts(base_);
    // A row the class changed has pictures of its own: composed again with its word.
    const auto linked = [this](const QStringList& pictures) {
        return std::all_of(pictures.begin(), pictures.end(), [this](const QString& picture) {
            return QFileInfo(root_ + QLatin1Char('/') + catalogue::slashed(picture)).isSymLink();
        });
    };
    try {
        SetTexts own = SetTexts::load(root_, base);
        const content::Content mine = own.content();
        const content::Content theirs =
            SetTexts::fromBytes(
                content::TextsReader::readBytes(base + QLatin1Char('/') + catalogue::familiesText),
                content::TextsReader::readBytes(base + QLatin1Char('/') + catalogue::albumText))
                .content();
        bool changed = false;
        const auto follow = [&changed](const QString& word, const QString& based, bool unchanged,
                                       const std::function<void()>& set) {
            if (word != based && unchanged) {
                set();
                changed = true;
            }
        };
        for (std::size_t f = 0; f < mine.families.size() && f < theirs.families.size(); ++f) {
            const content::Family& family = mine.families[f];
            const content::Family& based = theirs.families[f];
            // A family's name is on its miniature and at the top of each of its large cards.
            QStringList named{catalogue::miniature(catalogue::cardNumber(family.index, 1))};
            for (const int card : catalogue::familyCards(family.index))
                named << catalogue::largeCard(card);
            follow(family.name, based.name, linked(named),
                   [&] { own.setWord(catalogue::titleNumber(family.index), based.name); });
            for (std::size_t c = 0; c < family.cards.size() && c < based.cards.size(); ++c) {
                const int number = family.cards[c].number;
                follow(family.cards[c].word, based.cards[c].word,
                       linked({catalogue::largeCard(number), catalogue::smallCard(number)}),
                       [&] { own.setWord(number, based.cards[c].word); });
            }
        }
        for (std::size_t p = 0; p < mine.pages.size() && p < theirs.pages.size(); ++p) {
            const int page = mine.pages[p].number;
            follow(mine.pages[p].narration(), theirs.pages[p].narration(),
                   linked({catalogue::albumPicture(page)}),
                   [&] { own.setPage(page, theirs.pages[p].narration()); });
        }
        if (changed)
            own.save(root_);
    } catch (const Exception&) {
        // texts that cannot be read or changed stay as they are, for the checker to name
    }
}
