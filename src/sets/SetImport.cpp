// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The new set is written into a hidden sibling of the target, so that the swap is a rename
// within one folder; the replaced set moves into the history beside it, dated, and stays.
#include "sets/SetImport.h"

#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "assets/TextsReader.h"
#include "base/Errors.h"
#include "base/GameLock.h"
#include "base/SystemErrors.h"
#include "sets/FileOrigins.h"
#include "sets/FolderLock.h"
#include "sets/SafeWrite.h"
#include "sets/SetArchive.h"
#include "sets/SetFolder.h"
#include "sets/SetManifest.h"
#include "sets/SetTexts.h"
#include "sets/StoredArt.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace setimport {

namespace {

const QString stagingMark = QStringLiteral(".import-");
const QString dateFormat = QStringLiteral("yyyy-MM-dd'T'HH-mm-ss");
// History entries are "000012-2026-12-08T15-04-59": numbered in the order they are made.
constexpr int entryDigits = 6;
const QRegularExpression counter(QStringLiteral("^(\\d{6})-"));

SetRefused swapError(const QString& path) {
    return SetRefused(QStringLiteral("Impossible de metre lo jòc a %1 : %2")
                          .arg(path, systemerrors::describe(errno)));
}

// The texts are read by the set's one reader and its rules, as the workshop and the game read
// them; the drawings as the workshop keeps them.
void checkTexts(const std::vector<setarchive::Entry>& entries) {
    for (const setarchive::Entry& entry : entries) {
        if (entry.name.startsWith(storedart::folder + QLatin1Char('/')))
            storedart::check(entry.name, entry.bytes);
        if (!entry.name.startsWith(setarchive::textsFolder + QLatin1Char('/')))
            continue;
        const QString text = content::TextsReader::decode(entry.bytes, entry.name);
        QStringList problems;
        if (entry.name == catalogue::textName(catalogue::familiesText))
            content::ContentReader::parseFamilies(text, entry.name);
        else if (entry.name == catalogue::textName(catalogue::albumText))
            content::ContentReader::parsePages(text, entry.name);
        else if (entry.name == catalogue::textName(catalogue::voiceMarksText))
            SetTexts::parseMarks(text, &problems);
        if (!problems.isEmpty())
            throw SetRefused(problems.constFirst());
    }
}

QString historyOf(const QString& target) {
    return target + previousSuffix;
}

QString laterOf(const QString& target) {
    return target + laterSuffix;
}

// Version 1.0 kept one replaced set as target.abans itself: it becomes the history's first.
void keepOlderPrevious(const QString& history) {
    const QFileInfo info(history);
    if (info.isSymLink() || (info.exists() && !info.isDir())) {
        QFile::remove(history); // a link there goes, never what it leads to
        return;
    }
    if (!info.isDir() || !QFileInfo(history + QStringLiteral("/sons_familles")).isDir())
        return;
    const QString moving = history + QStringLiteral(".1.0");
    const QString dated = info.lastModified().toUTC().toString(dateFormat);
    if (!QDir().rename(history, moving) || !QDir().mkpath(history) ||
        !QDir().rename(moving, history + QLatin1Char('/') + dated))
        throw swapError(history);
}

// The sets of one history folder in the order they were put there: those an earlier version
// named by their date alone first, then by their number.
QStringList entriesOf(const QString& folder) {
    QStringList dated, counted;
    for (const QString& name :
         QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name))
        (counter.match(name).hasMatch() ? counted : dated) << folder + QLatin1Char('/') + name;
    return dated + counted;
}

// A new name in a history folder of target: the next number of both, then the date for people.
QString newEntry(const QString& folder, const QString& target) {
    keepOlderPrevious(historyOf(target));
    if (!QDir().mkpath(folder))
        throw swapError(folder);
    int last = 0;
    for (const QString& history : {historyOf(target), laterOf(target)})
        for (const QString& entry : entriesOf(history))
            last = std::max(last, counter.match(QFileInfo(entry).fileName()).captured(1).toInt());
    return QStringLiteral("%1/%2-%3")
        .arg(folder)
        .arg(last + 1, entryDigits, 10, QLatin1Char('0'))
        .arg(QDateTime::currentDateTimeUtc().toString(dateFormat));
}

// A set put in place after undone imports: those stay within reach, in the history.
void keepLaterSets(const QString& target) {
    for (const QString& entry : entriesOf(laterOf(target)))
        if (::rename(QFile::encodeName(entry).constData(),
                     QFile::encodeName(historyOf(target) + QLatin1Char('/') +
                                       QFileInfo(entry).fileName())
                         .constData()) != 0)
            throw swapError(entry);
}

// The game reads the set by relative paths from its folder: the swap waits until it ends.
void waitForGames(const QString& target, const WhileGameOpen& whileGameOpen) {
    while (gamelock::isHeld(target))
        if (!whileGameOpen())
            throw SetRefused(
                QStringLiteral("Lo jòc es dobèrt sus %1 : res es pas estat cambiat").arg(target));
}

// Swaps two folders; the game and the writers of the old set have been waited for.
void exchange(const QString& one, const QString& other) {
    if (::renameat2(AT_FDCWD, QFile::encodeName(one).constData(), AT_FDCWD,
                    QFile::encodeName(other).constData(), RENAME_EXCHANGE) != 0)
        throw swapError(other);
}

// The staging folder holds this while it is written, so a sweep leaves a running import alone.
class StagingHold {
public:
    explicit StagingHold(const QString& folder)
        : fd_(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0 || ::flock(fd_, LOCK_EX | LOCK_NB) != 0)
            throw swapError(folder);
    }
    ~StagingHold() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    StagingHold(const StagingHold&) = delete;
    StagingHold& operator=(const StagingHold&) = delete;

private:
    int fd_;
};

} // namespace

void sweep(const QString& target) {
    const QFileInfo place(target);
    const QDir parent(place.absolutePath());
    for (const QString& name :
         parent.entryList({QStringLiteral(".") + place.fileName() + stagingMark + QLatin1Char('*')},
                          QDir::Dirs | QDir::Hidden | QDir::NoSymLinks)) {
        const QString path = parent.filePath(name);
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            QDir(path).removeRecursively();
        ::close(fd);
    }
}

FileOrigins checkEntries(const QString& archive, const std::vector<setarchive::Entry>& entries) {
    try {
        return verify(entries);
    } catch (const Exception& error) {
        throw SetRefused(
            QStringLiteral("Lo jòc %1 es refusat, l'importacion a pas res cambiat : %2")
                .arg(archive, error.message()));
    }
}

FileOrigins verify(const std::vector<setarchive::Entry>& entries) {
    checkTexts(entries);
    return setmanifest::verify(entries);
}

QString install(const QString& archive, const QString& target, const QString& base,
                const QString& installed, const Check& check, const WhileGameOpen& whileGameOpen) {
    const std::vector<setarchive::Entry> entries = setarchive::read(archive, installed);
    const FileOrigins origins = checkEntries(archive, entries);
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
    sweep(canonicalTarget);
    QTemporaryDir staging(place.absolutePath() + QStringLiteral("/.") + place.fileName() +
                          stagingMark + QStringLiteral("XXXXXX"));
    // A class set is read by every account; the temporary folder is made for its owner only.
    if (!staging.isValid() ||
        !QFile::setPermissions(staging.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ReadGroup |
                                                   QFile::ExeGroup | QFile::ReadOther |
                                                   QFile::ExeOther))
        throw swapError(place.absolutePath());
    const StagingHold hold(staging.path());
    for (const setarchive::Entry& entry : entries) {
        if (entry.name == setmanifest::fileName)
            continue;
        const QString path = staging.filePath(entry.name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw swapError(path);
        safewrite::writeUnsynced(path, entry.bytes);
    }
    safewrite::writeUnsynced(staging.filePath(FileOrigins::fileName()), origins.text().toUtf8());
    SetFolder(staging.path(), base).fillFromDefaultSet();
    QFile::remove(staging.filePath(FolderLock::fileName()));
    if (const QString problems = check(staging.path()); !problems.isEmpty())
        throw SetRefused(QStringLiteral("Lo jòc %1 es refusat :\n%2").arg(archive, problems));
    // One sync of the whole new set before it is swapped in, rather than one a file.
    safewrite::syncFileSystemOf(staging.path());

    QString previous;
    if (!targetInfo.exists()) {
        if (::rename(QFile::encodeName(staging.path()).constData(),
                     QFile::encodeName(canonicalTarget).constData()) != 0)
            throw swapError(absoluteTarget);
    } else {
        // The writers of the old set wait while it is swapped; the old set ends up in staging,
        // then in the history.
        const FolderLock lock(canonicalTarget);
        waitForGames(canonicalTarget, whileGameOpen);
        previous = newEntry(historyOf(canonicalTarget), canonicalTarget);
        exchange(staging.path(), canonicalTarget);
        staging.setAutoRemove(false);
        QFile::remove(staging.filePath(FolderLock::fileName()));
        if (::rename(QFile::encodeName(staging.path()).constData(),
                     QFile::encodeName(previous).constData()) != 0)
            throw swapError(previous);
        keepLaterSets(canonicalTarget);
        safewrite::syncFolderOf(previous);
    }
    staging.setAutoRemove(false);
    safewrite::syncFolderOf(canonicalTarget);
    return previous;
}

QStringList previousSets(const QString& target) {
    return entriesOf(historyOf(QFileInfo(target).absoluteFilePath()));
}

QStringList laterSets(const QString& target) {
    return entriesOf(laterOf(QFileInfo(target).absoluteFilePath()));
}

namespace {

// One step through the history: the newest set of one side comes back, and the set it
// replaces becomes the newest of the other.
QString step(const QString& target, bool back, const WhileGameOpen& whileGameOpen) {
    const QFileInfo info(target);
    if (!info.isDir())
        throw SetRefused(QStringLiteral("%1 es pas un dorsièr").arg(target));
    const QString canonical = info.canonicalFilePath();
    keepOlderPrevious(historyOf(canonical));
    const QStringList sets = entriesOf(back ? historyOf(canonical) : laterOf(canonical));
    if (sets.isEmpty())
        throw SetRefused(
            back ? QStringLiteral("Pas res de desfar : cap de jòc d'abans per %1").arg(canonical)
                 : QStringLiteral("Pas res de tornar far : cap d'importacion "
                                  "desfacha per %1")
                       .arg(canonical));
    const FolderLock lock(canonical);
    waitForGames(canonical, whileGameOpen);
    const QString kept = newEntry(back ? laterOf(canonical) : historyOf(canonical), canonical);
    exchange(sets.last(), canonical);
    if (::rename(QFile::encodeName(sets.last()).constData(), QFile::encodeName(kept).constData()) !=
        0)
        throw swapError(kept);
    QFile::remove(kept + QLatin1Char('/') + FolderLock::fileName());
    safewrite::syncFolderOf(kept);
    safewrite::syncFolderOf(canonical);
    return sets.last();
}

} // namespace

QString undoImport(const QString& target, const WhileGameOpen& whileGameOpen) {
    return step(target, true, whileGameOpen);
}

QString redoImport(const QString& target, const WhileGameOpen& whileGameOpen) {
    return step(target, false, whileGameOpen);
}

} // namespace setimport
